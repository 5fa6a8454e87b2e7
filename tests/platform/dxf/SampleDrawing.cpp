#include "tests/platform/dxf/SampleDrawing.h"

#include <numbers>

#include "ZcDbArc.h"
#include "ZcDbAttribute.h"
#include "ZcDbAttributeDefinition.h"
#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbCircle.h"
#include "ZcDbDictionary.h"
#include "ZcDbGroup.h"
#include "ZcDbHatch.h"
#include "ZcDbLayerTable.h"
#include "ZcDbLeader.h"
#include "ZcDbLine.h"
#include "ZcDbLinetypeTable.h"
#include "ZcDbMText.h"
#include "ZcDbPolyline.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbText.h"
#include "ZcDbTextStyleTable.h"
#include "ZcDbXrecord.h"
#include "platform/db/Opened.h"
#include "tests/platform/dxf/TableRecord.h"

using namespace platform;

namespace {

ZcDbObjectId appendTo(ZcDbObjectId space, ZcDbEntity* entity)
{
    Opened<ZcDbBlockTableRecord> block(space, ZcDb::kForWrite);
    Opened<ZcDbEntity> owned(entity);
    ZcDbObjectId id;
    block->appendZcDbEntity(id, entity);
    return id;
}

ZcDbPolyline* square(double x0, double y0, double size)
{
    auto* p = new ZcDbPolyline;
    p->addVertexAt(0, {x0, y0});
    p->addVertexAt(1, {x0 + size, y0});
    p->addVertexAt(2, {x0 + size, y0 + size});
    p->addVertexAt(3, {x0, y0 + size});
    p->setClosed(true);
    return p;
}

resbuf* item(int code)
{
    return zcutNewRb(code);
}

// The record's extended data, as the system keeps a sign's purpose.
resbuf* purposeData(ZcDbObjectId pointTo)
{
    resbuf* head = textItem(1001, "Tarvo");
    resbuf* rb = head;
    rb = rb->rbnext = textItem(1000, "Znak D-6");
    rb = rb->rbnext = item(1040);
    rb->resval.rreal = 0.1 + 0.2;  // not exact in binary: must come back exactly
    rb = rb->rbnext = item(1070);
    rb->resval.rint = 3;
    rb = rb->rbnext = item(1071);
    rb->resval.rlong = 1234567;
    rb = rb->rbnext = item(1010);
    rb->resval.rpoint[0] = 12.5;
    rb->resval.rpoint[1] = -7.25;
    rb->resval.rpoint[2] = 0.0;
    rb = rb->rbnext = textItem(1002, "{");
    rb = rb->rbnext = textItem(1000, "Długość");
    rb = rb->rbnext = textItem(1002, "}");
    char handle[32];
    pointTo.handle().getIntoAsciiBuffer(handle, sizeof handle);
    rb = rb->rbnext = textItem(1005, handle);
    return head;
}

}  // namespace

SampleDrawing::SampleDrawing()
{
    ZcDbDatabase& d = db();
    const ZcDbObjectId ms = d.modelSpaceId();

    auto* layerRecord = new ZcDbLayerTableRecord;
    layerRecord->setName("Osie");
    ZcCmColor green;
    green.setColorIndex(3);
    layerRecord->setColor(green);
    layer = addRecord(&ZcDbDatabase::getLayerTable, d, layerRecord);

    auto* styleRecord = new ZcDbTextStyleTableRecord;
    styleRecord->setName("Tarvowy");
    styleRecord->setFileName("Tarvowa.ttf");
    styleRecord->setTextSize(1.0);
    style = addRecord(&ZcDbDatabase::getTextStyleTable, d, styleRecord);

    auto* dashedRecord = new ZcDbLinetypeTableRecord;
    dashedRecord->setName("P-1A");
    dashedRecord->setComments("Linia pojedyncza przerywana — krótka");
    dashedRecord->setNumDashes(2);
    dashedRecord->setDashLengthAt(0, 2.0);
    dashedRecord->setDashLengthAt(1, -1.0);
    dashed = addRecord(&ZcDbDatabase::getLinetypeTable, d, dashedRecord);

    auto* textRecord = new ZcDbLinetypeTableRecord;
    textRecord->setName("Tarvo_Tekst");
    textRecord->setNumDashes(3);
    textRecord->setDashLengthAt(0, 1.0);
    textRecord->setDashLengthAt(1, -0.5);
    textRecord->setDashLengthAt(2, -0.25);
    ZcDbLinetypeTableRecord::DashElement element;
    element.isText = true;
    element.text = "T";
    element.style = style;
    element.scale = 0.5;
    element.offsetX = -0.1;
    element.offsetY = -0.25;
    textRecord->setElementAt(1, element);
    textLinetype = addRecord(&ZcDbDatabase::getLinetypeTable, d, textRecord);

    auto* l = new ZcDbLine({0, 0, 0}, {10, 0, 0});
    l->setDatabaseDefaults(&d);
    l->setLayer("Osie");
    l->setLinetype("P-1A");
    l->setLineWeight(ZcDb::kLnWt035);
    l->setLinetypeScale(2.0);
    line = appendTo(ms, l);

    auto* c = new ZcDbCircle({5, 5, 0}, ZcGeVector3d::kZAxis, 2.0);
    c->setDatabaseDefaults(&d);
    c->setColorIndex(1);
    circle = appendTo(ms, c);

    auto* a = new ZcDbArc({20, 0, 0}, 3.0, 0.0, std::numbers::pi / 2);
    a->setDatabaseDefaults(&d);
    ZcCmColor rgb;
    rgb.setRGB(12, 34, 56);
    a->setColor(rgb);
    arc = appendTo(ms, a);

    auto* p = new ZcDbPolyline;
    p->setDatabaseDefaults(&d);
    p->addVertexAt(0, {0, 10}, 0.5, 0.1, 0.2);
    p->addVertexAt(1, {5, 10});
    p->addVertexAt(2, {10, 12}, -0.25, 0.3, 0.3);
    p->setPlinegen(true);
    polyline = appendTo(ms, p);

    ZcDbPolyline* wide = square(-10, -10, 4);
    wide->setDatabaseDefaults(&d);
    wide->setConstantWidth(0.05);
    widePolyline = appendTo(ms, wide);

    ZcDbPolyline* o = square(30, 0, 10);
    o->setDatabaseDefaults(&d);
    outer = appendTo(ms, o);
    ZcDbPolyline* i = square(33, 3, 4);
    i->setDatabaseDefaults(&d);
    inner = appendTo(ms, i);

    {
        Opened<ZcDbBlockTableRecord> space(ms, ZcDb::kForWrite);
        auto* h = new ZcDbHatch;
        Opened<ZcDbHatch> owned(h);
        h->setDatabaseDefaults(&d);
        space->appendZcDbEntity(hatch, h);
        h->setPattern(ZcDbHatch::kPreDefined, "SOLID");
        h->setAssociative(true);
        ZcDbObjectIdArray outerIds, innerIds;
        outerIds.append(outer);
        innerIds.append(inner);
        h->appendLoop(ZcDbHatch::kExternal, outerIds);
        h->appendLoop(ZcDbHatch::kDerived, innerIds);
        h->evaluateHatch();
    }

    auto* m = new ZcDbMText;
    m->setDatabaseDefaults(&d);
    m->setLocation({0, 20, 0});
    m->setContents(kSampleMText);
    m->setTextHeight(2.5);
    m->setWidth(30.0);
    m->setTextStyle(style);
    m->setAttachment(ZcDbMText::kMiddleLeft);
    m->setRotation(0.1);
    mtext = appendTo(ms, m);

    auto* t = new ZcDbText;
    t->setDatabaseDefaults(&d);
    t->setPosition({0, 30, 0});
    t->setAlignmentPoint({5, 30, 0});
    t->setHorizontalMode(ZcDbText::kTextCenter);
    t->setHeight(1.5);
    t->setRotation(std::numbers::pi / 6);
    t->setTextString(kSampleText);
    text = appendTo(ms, t);

    auto* blockRecord = new ZcDbBlockTableRecord;
    blockRecord->setName("Slupek1");
    blockRecord->setOrigin(ZcGePoint3d::kOrigin);
    block = addRecord(&ZcDbDatabase::getBlockTable, d, blockRecord);
    auto* post = new ZcDbCircle({0, 0, 0}, ZcGeVector3d::kZAxis, 0.5);
    post->setDatabaseDefaults(&d);
    appendTo(block, post);
    auto* number = new ZcDbAttributeDefinition;
    number->setDatabaseDefaults(&d);
    number->setPosition({1, 0, 0});
    number->setHeight(0.5);
    number->setTag("NR");
    number->setPrompt("Numer");
    number->setTextString("1");
    appendTo(block, number);
    auto* description = new ZcDbAttributeDefinition;
    description->setDatabaseDefaults(&d);
    description->setPosition({1, -1, 0});
    description->setHeight(0.5);
    description->setTag("OPIS");
    description->setPrompt("Opis znaku");
    description->setInvisible(true);
    appendTo(block, description);

    {
        Opened<ZcDbBlockTableRecord> space(ms, ZcDb::kForWrite);
        auto* r = new ZcDbBlockReference({50, 5, 0}, block);
        Opened<ZcDbBlockReference> owned(r);
        r->setDatabaseDefaults(&d);
        r->setScaleFactors(ZcGeScale3d(2.0));
        r->setRotation(std::numbers::pi / 4);
        space->appendZcDbEntity(reference, r);
        auto* shown = new ZcDbAttribute;
        Opened<ZcDbAttribute> ownedShown(shown);
        shown->setPropertiesFrom(r);
        shown->setPosition({52, 5, 0});
        shown->setHeight(1.0);
        shown->setTag("NR");
        shown->setTextString("A-7");
        r->appendAttribute(visibleAttribute, shown);
        auto* hidden = new ZcDbAttribute;
        Opened<ZcDbAttribute> ownedHidden(hidden);
        hidden->setPropertiesFrom(r);
        hidden->setPosition({52, 3, 0});
        hidden->setHeight(1.0);
        hidden->setTag("OPIS");
        hidden->setTextString(kSampleAttribute);
        hidden->setInvisible(true);
        r->appendAttribute(invisibleAttribute, hidden);
    }

    auto* ld = new ZcDbLeader;
    ld->setDatabaseDefaults(&d);
    ld->appendVertex({60, 0, 0});
    ld->appendVertex({62, 3, 0});
    ld->appendVertex({65, 3, 0});
    leader = appendTo(ms, ld);

    auto* sheet = new ZcDbText;
    sheet->setDatabaseDefaults(&d);
    sheet->setPosition({10, 10, 0});
    sheet->setTextString("Arkusz 1");
    paperText = appendTo(d.paperSpaceId(), sheet);

    auto* gone = new ZcDbLine({0, -5, 0}, {10, -5, 0});
    gone->setDatabaseDefaults(&d);
    erasedLine = appendTo(ms, gone);

    {
        ZcDbDictionary* raw = nullptr;
        d.getGroupDictionary(raw, ZcDb::kForWrite);
        Opened<ZcDbDictionary> groups(raw);
        auto* g = new ZcDbGroup("Osie i okrąg", true);
        Opened<ZcDbGroup> owned(g);
        groups->setAt("*", g, group);
        g->append(line);
        g->append(circle);
        g->append(erasedLine);
    }
    {
        Opened<ZcDbLine> doomed(erasedLine, ZcDb::kForWrite);
        doomed->erase();
    }

    {
        ZcDbDictionary* raw = nullptr;
        d.getNamedObjectsDictionary(raw, ZcDb::kForWrite);
        Opened<ZcDbDictionary> nod(raw);
        auto* dict = new ZcDbDictionary;
        Opened<ZcDbDictionary> ownedDict(dict);
        nod->setAt("S_Znaki", dict, signs);
        auto* record = new ZcDbXrecord;
        Opened<ZcDbXrecord> ownedRecord(record);
        dict->setAt("Przeznaczenie", record, purpose);
        resbuf* data = purposeData(line);
        record->setXData(data);
        zcutRelRb(data);
    }

    {
        Opened<ZcDbBlockTableRecord> space(ms, ZcDb::kForWrite);
        ZcDbSortentsTable* raw = nullptr;
        space->getSortentsTable(raw, ZcDb::kForWrite, true);
        Opened<ZcDbSortentsTable> order(raw);
        ZcDbObjectIdArray top;
        top.append(line);
        order->moveToTop(top);
    }
}
