// The written file as other programs see it: ezdxf must load it, its
// auditor must find nothing, and every object and link of the drawing must
// be there. LibreCAD, where installed, must turn it into a PDF.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <numbers>
#include <set>

#include "ZcDbBlockReference.h"
#include "ZcDbBlockTable.h"
#include "ZcDbDictionary.h"
#include "ZcDbHatch.h"
#include "ZcDbLeader.h"
#include "ZcDbMText.h"
#include "ZcDbPolyline.h"
#include "ZcDbSortentsTable.h"
#include "ZcDbText.h"
#include "platform/db/DatabaseImpl.h"
#include "platform/db/ObjectAccess.h"
#include "platform/dxf/DxfWriter.h"
#include "tests/platform/dxf/Json.h"
#include "tests/platform/dxf/SampleDrawing.h"
#include "tests/support/ExternalTool.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPaths.h"

using namespace platform;

namespace {

constexpr const char* kPython = "/usr/bin/python3";

std::string hex(ZcDbObjectId id)
{
    char text[32];
    id.handle().getIntoAsciiBuffer(text, sizeof text);
    return text;
}

std::string hex(uint64_t handle)
{
    char text[32];
    ZcDbHandle(handle).getIntoAsciiBuffer(text, sizeof text);
    return text;
}

// Runs a command; its standard output, and its exit status.
std::pair<std::string, int> run(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {output, -1};
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    return {output, ::pclose(pipe)};
}

// The DXF kind each class of the drawing is written as.
std::string dxfKind(const ZcDbEntity* e)
{
    static const std::map<std::string, std::string> kinds = {
        {"ZcDbLine", "LINE"},       {"ZcDbCircle", "CIRCLE"}, {"ZcDbArc", "ARC"},
        {"ZcDbPolyline", "LWPOLYLINE"}, {"ZcDbHatch", "HATCH"}, {"ZcDbMText", "MTEXT"},
        {"ZcDbText", "TEXT"},       {"ZcDbBlockReference", "INSERT"}, {"ZcDbLeader", "LEADER"},
        {"ZcDbAttributeDefinition", "ATTDEF"}, {"ZcDbAttribute", "ATTRIB"},
    };
    const auto it = kinds.find(e->isA()->name());
    return it == kinds.end() ? std::string("?") + e->isA()->name() : it->second;
}

class DxfOutsideCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (::access(kPython, X_OK) != 0) {
            skipReason = "no /usr/bin/python3";
            return;
        }
        if (run(std::string(kPython) + " -c 'import ezdxf' 2>/dev/null").second != 0) {
            skipReason = "ezdxf is not installed (Debian's python3-ezdxf)";
            return;
        }
        folder = std::make_unique<TempDir>("dxf-outside");
        sample = std::make_unique<SampleDrawing>();
        path = folder->file("wszystko.dxf");
        std::string error;
        if (!writeDxfFile(sample->db(), path, error)) {
            failure = "writing failed: " + error;
            return;
        }
        const std::string script = std::string(testSourceDir()) + "/tests/platform/dxf/ezdxf_dump.py";
        const auto [output, status] =
            run(std::string(kPython) + " " + shellQuoted(script) + " " + shellQuoted(path) + " 2>" + shellQuoted(path + ".err"));
        if (status != 0) {
            failure = "ezdxf could not read the file: status " + std::to_string(status) + "\n" + output;
            return;
        }
        try {
            seen = std::make_unique<Json>(Json::parse(output));
        } catch (const std::exception& e) {
            failure = e.what();
        }
    }

    static void TearDownTestSuite()
    {
        seen.reset();
        sample.reset();
        folder.reset();
    }

    void SetUp() override
    {
        if (!skipReason.empty())
            GTEST_SKIP() << skipReason;
        ASSERT_EQ(failure, "");
    }

    static const Json& entity(const Json& list, const std::string& handle)
    {
        static const Json none;
        for (const Json& e : list.array())
            if (e["handle"].string() == handle)
                return e;
        return none;
    }
    static const Json& modelEntity(ZcDbObjectId id) { return entity((*seen)["modelspace"], hex(id)); }
    static const Json& object(ZcDbObjectId id) { return entity((*seen)["objects"], hex(id)); }
    // The object as the file gives it, before ezdxf's own interpretation.
    static const Json& fileObject(uint64_t handle) { return entity((*seen)["file_objects"], hex(handle)); }
    static const Json& fileObject(ZcDbObjectId id) { return fileObject(id.handle().value()); }

    static inline std::string skipReason;
    static inline std::string failure;
    static inline std::string path;
    static inline std::unique_ptr<TempDir> folder;
    static inline std::unique_ptr<SampleDrawing> sample;
    static inline std::unique_ptr<Json> seen;
};

void expectPoint(const Json& p, const ZcGePoint3d& expected)
{
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].number(), expected.x);
    EXPECT_EQ(p[1].number(), expected.y);
    EXPECT_EQ(p[2].number(), expected.z);
}

std::vector<std::string> strings(const Json& list)
{
    std::vector<std::string> out;
    for (const Json& v : list.array())
        out.push_back(v.string());
    return out;
}

}  // namespace

TEST_F(DxfOutsideCheck, AuditorFindsNothingToReportOrFix)
{
    const Json& s = *seen;
    EXPECT_EQ(s["dxfversion"].string(), "AC1015");
    for (const Json& e : s["audit_errors"].array())
        ADD_FAILURE() << "audit error: " << e.string();
    for (const Json& e : s["audit_fixes"].array())
        ADD_FAILURE() << "audit fix: " << e.string();
}

TEST_F(DxfOutsideCheck, HeaderSeedIsAboveEveryHandle)
{
    const Json& h = (*seen)["header"];
    EXPECT_EQ(h["$ACADVER"].string(), "AC1015");
    EXPECT_EQ(h["$DWGCODEPAGE"].string(), "ANSI_1250");
    EXPECT_EQ(h["$INSUNITS"].number(), 6);
    const uint64_t seed = std::stoull(h["$HANDSEED"].string(), nullptr, 16);
    EXPECT_EQ(seed, sample->db().handseed().value());
    std::set<std::string> handles;
    for (const Json& o : (*seen)["file_objects"].array()) {
        const std::string& handle = o["handle"].string();
        EXPECT_LT(std::stoull(handle, nullptr, 16), seed) << handle;
        EXPECT_TRUE(handles.insert(handle).second) << "handle given twice: " << handle;
    }
}

TEST_F(DxfOutsideCheck, ModelSpaceHoldsTheSameEntitiesInOrder)
{
    const auto* space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(sample->db().modelSpaceId());
    std::vector<std::pair<std::string, std::string>> expected;
    std::map<std::string, double> expectedCounts;
    for (const ZcDbObjectId& id : space->entityIds()) {
        const auto* e = ZcDbEntity::cast(ZcDbObjectAccess::peek(id));
        if (e->isErased())
            continue;
        expected.emplace_back(hex(id), dxfKind(e));
        expectedCounts[dxfKind(e)] += 1;
    }
    std::vector<std::pair<std::string, std::string>> found;
    for (const Json& e : (*seen)["modelspace"].array()) {
        found.emplace_back(e["handle"].string(), e["type"].string());
        EXPECT_EQ(e["owner"].string(), hex(sample->db().modelSpaceId()));
    }
    EXPECT_EQ(found, expected);
    std::map<std::string, double> counts;
    for (const auto& [kind, n] : (*seen)["counts"].object())
        counts[kind] = n.number();
    EXPECT_EQ(counts, expectedCounts);
    EXPECT_EQ(counts["LWPOLYLINE"], 4);
    EXPECT_EQ(counts["LINE"], 1) << "the erased line must not be there";
    EXPECT_TRUE(fileObject(sample->erasedLine).isNull());
}

TEST_F(DxfOutsideCheck, EntityPropertiesSurvive)
{
    const Json& line = modelEntity(sample->line);
    EXPECT_EQ(line["layer"].string(), "Osie");
    EXPECT_EQ(line["linetype"].string(), "P-1A");
    EXPECT_EQ(line["lineweight"].number(), 35);
    EXPECT_EQ(line["ltscale"].number(), 2.0);
    expectPoint(line["end"], {10, 0, 0});
    EXPECT_EQ(modelEntity(sample->circle)["color"].number(), 1);
    EXPECT_EQ(modelEntity(sample->circle)["radius"].number(), 2.0);
    const Json& arc = modelEntity(sample->arc);
    EXPECT_EQ(arc["true_color"].number(), double((12 << 16) | (34 << 8) | 56));
    EXPECT_NEAR(arc["start_angle"].number(), 0.0, 1e-12);
    EXPECT_NEAR(arc["end_angle"].number(), 90.0, 1e-12);
    EXPECT_EQ(modelEntity(sample->text)["color"].number(), 256);
}

TEST_F(DxfOutsideCheck, PolylineVerticesBulgesAndWidths)
{
    for (const ZcDbObjectId id : {sample->polyline, sample->widePolyline, sample->outer, sample->inner}) {
        const auto* p = ZcDbObjectAccess::peekAs<ZcDbPolyline>(id);
        const Json& e = modelEntity(id);
        ASSERT_EQ(e["type"].string(), "LWPOLYLINE");
        EXPECT_EQ(e["closed"].boolean(), p->isClosed());
        const Json& vertices = e["vertices"];
        ASSERT_EQ(vertices.size(), p->numVerts());
        for (unsigned i = 0; i < p->numVerts(); ++i) {
            ZcGePoint2d pt;
            double bulge = 0, start = 0, end = 0;
            p->getPointAt(i, pt);
            p->getBulgeAt(i, bulge);
            p->getWidthsAt(i, start, end);
            const Json& v = vertices[i];  // x, y, start width, end width, bulge
            // A polyline of one width gives it once for all vertices.
            const double constant = e["const_width"].isNull() ? 0.0 : e["const_width"].number();
            EXPECT_EQ(v[0].number(), pt.x) << hex(id) << " vertex " << i;
            EXPECT_EQ(v[1].number(), pt.y);
            EXPECT_EQ(v[2].number() + constant, start);
            EXPECT_EQ(v[3].number() + constant, end);
            EXPECT_EQ(v[4].number(), bulge);
        }
    }
    EXPECT_EQ(modelEntity(sample->polyline)["flags"].number(), 128);  // plinegen
    EXPECT_EQ(modelEntity(sample->widePolyline)["const_width"].number(), 0.05);
}

TEST_F(DxfOutsideCheck, HatchLoopsKeepTheirBoundaryLinks)
{
    const auto* h = ZcDbObjectAccess::peekAs<ZcDbHatch>(sample->hatch);
    const Json& e = modelEntity(sample->hatch);
    EXPECT_EQ(e["pattern"].string(), "SOLID");
    EXPECT_EQ(e["solid"].number(), 1);
    EXPECT_EQ(e["associative"].number(), 1);
    const Json& paths = e["paths"];
    ASSERT_EQ(paths.size(), size_t(h->numLoops()));
    ASSERT_EQ(paths.size(), 2u);
    for (int i = 0; i < h->numLoops(); ++i) {
        const ZcDbHatch::Loop& loop = h->loops()[size_t(i)];
        EXPECT_EQ(paths[size_t(i)]["flags"].number(), loop.type | ZcDbHatch::kPolyline);
        const Json& vertices = paths[size_t(i)]["vertices"];
        ASSERT_EQ(vertices.size(), loop.vertices.size());
        for (size_t k = 0; k < loop.vertices.size(); ++k) {
            EXPECT_EQ(vertices[k][0].number(), loop.vertices[k].x);
            EXPECT_EQ(vertices[k][1].number(), loop.vertices[k].y);
        }
    }
    EXPECT_EQ(strings(paths[0]["sources"]), std::vector<std::string>{hex(sample->outer)});
    EXPECT_EQ(strings(paths[1]["sources"]), std::vector<std::string>{hex(sample->inner)});
    // Each boundary tells the hatch about its changes.
    for (const ZcDbObjectId boundary : {sample->outer, sample->inner}) {
        const auto reactors = strings(modelEntity(boundary)["reactors"]);
        EXPECT_EQ(std::count(reactors.begin(), reactors.end(), hex(sample->hatch)), 1) << hex(boundary);
    }
}

TEST_F(DxfOutsideCheck, TextsReadBackInPolish)
{
    const Json& m = modelEntity(sample->mtext);
    EXPECT_EQ(m["text"].string(), "Długość odcinka: 12,5 m\\PŁódź");
    EXPECT_EQ(m["style"].string(), "Tarvowy");
    EXPECT_EQ(m["height"].number(), 2.5);
    EXPECT_EQ(m["width"].number(), 30.0);
    EXPECT_EQ(m["attachment"].number(), ZcDbMText::kMiddleLeft);
    EXPECT_NEAR(m["rotation"].number(), 0.1 * 180.0 / std::numbers::pi, 1e-12);
    expectPoint(m["insert"], {0, 20, 0});
    const Json& t = modelEntity(sample->text);
    EXPECT_EQ(t["text"].string(), kSampleText);
    EXPECT_NEAR(t["rotation"].number(), 30.0, 1e-12);
    EXPECT_EQ(t["height"].number(), 1.5);
    EXPECT_EQ(t["style"].string(), "Standard");
}

TEST_F(DxfOutsideCheck, BlockKeepsItsAttributeDefinitions)
{
    const Json& b = (*seen)["blocks"]["Slupek1"];
    ASSERT_FALSE(b.isNull());
    const auto ends = sample->db().impl()->blockEnds.at(sample->block.stub());
    EXPECT_EQ(b["handle"].string(), hex(sample->block));
    EXPECT_EQ(b["block"].string(), hex(ends.first));
    EXPECT_EQ(b["endblk"].string(), hex(ends.second));
    EXPECT_EQ(int(b["flags"].number()) & 2, 2);
    const Json& entities = b["entities"];
    ASSERT_EQ(entities.size(), 3u);
    EXPECT_EQ(entities[0]["type"].string(), "CIRCLE");
    EXPECT_EQ(entities[1]["type"].string(), "ATTDEF");
    EXPECT_EQ(entities[1]["tag"].string(), "NR");
    EXPECT_EQ(entities[1]["prompt"].string(), "Numer");
    EXPECT_EQ(entities[1]["text"].string(), "1");
    EXPECT_FALSE(entities[1]["invisible"].boolean());
    EXPECT_EQ(entities[2]["tag"].string(), "OPIS");
    EXPECT_EQ(entities[2]["prompt"].string(), "Opis znaku");
    EXPECT_TRUE(entities[2]["invisible"].boolean());
    for (const Json& e : entities.array())
        EXPECT_EQ(e["owner"].string(), hex(sample->block));
}

TEST_F(DxfOutsideCheck, ReferenceKeepsItsAttributes)
{
    const Json& r = modelEntity(sample->reference);
    EXPECT_EQ(r["name"].string(), "Slupek1");
    expectPoint(r["insert"], {50, 5, 0});
    EXPECT_EQ(r["scale"][0].number(), 2.0);
    EXPECT_EQ(r["scale"][1].number(), 2.0);
    EXPECT_NEAR(r["rotation"].number(), 45.0, 1e-12);
    const Json& attribs = r["attribs"];
    ASSERT_EQ(attribs.size(), 2u);
    EXPECT_EQ(attribs[0]["handle"].string(), hex(sample->visibleAttribute));
    EXPECT_EQ(attribs[0]["tag"].string(), "NR");
    EXPECT_EQ(attribs[0]["text"].string(), "A-7");
    EXPECT_FALSE(attribs[0]["invisible"].boolean());
    EXPECT_EQ(attribs[1]["handle"].string(), hex(sample->invisibleAttribute));
    EXPECT_EQ(attribs[1]["tag"].string(), "OPIS");
    EXPECT_EQ(attribs[1]["text"].string(), kSampleAttribute);
    EXPECT_TRUE(attribs[1]["invisible"].boolean());
    // ezdxf gives attributes its own owner on loading; the file names the reference.
    for (const Json& a : attribs.array())
        EXPECT_EQ(fileObject(std::stoull(a["handle"].string(), nullptr, 16))["owner"].string(),
                  hex(sample->reference));
    const uint64_t seqend = sample->db().impl()->seqends.at(sample->reference.stub());
    EXPECT_EQ(r["seqend"].string(), hex(seqend));
    EXPECT_EQ(fileObject(seqend)["type"].string(), "SEQEND");
    EXPECT_EQ(fileObject(seqend)["owner"].string(), hex(sample->reference));
}

TEST_F(DxfOutsideCheck, LeaderVertices)
{
    const auto* l = ZcDbObjectAccess::peekAs<ZcDbLeader>(sample->leader);
    const Json& e = modelEntity(sample->leader);
    EXPECT_EQ(e["dimstyle"].string(), "Standard");
    EXPECT_EQ(e["arrowhead"].number(), 1);
    ASSERT_EQ(e["vertices"].size(), size_t(l->numVertices()));
    for (int i = 0; i < l->numVertices(); ++i)
        expectPoint(e["vertices"][size_t(i)], l->vertexAt(i));
}

TEST_F(DxfOutsideCheck, GroupListsItsLiveMembers)
{
    const Json& groups = (*seen)["groups"];
    ASSERT_EQ(groups.size(), 1u);
    const auto& [name, members] = *groups.object().begin();
    EXPECT_EQ(name.substr(0, 2), "*A");
    // ezdxf keeps members as a set: order is checked on the file itself.
    auto found = strings(members);
    std::sort(found.begin(), found.end());
    auto expected = std::vector<std::string>{hex(sample->line), hex(sample->circle)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
    const Json& g = object(sample->group);
    EXPECT_EQ(g["unnamed"].number(), 1);
    EXPECT_EQ(g["selectable"].number(), 1);
    EXPECT_EQ(g["description"].string(), "Osie i okrąg");
}

TEST_F(DxfOutsideCheck, DictionaryRecordKeepsItsExtendedData)
{
    const Json& root = object(sample->db().namedObjectsDictionaryId());
    EXPECT_EQ((*seen)["rootdict"].string(), hex(sample->db().namedObjectsDictionaryId()));
    EXPECT_EQ(root["entries"]["S_Znaki"].string(), hex(sample->signs));
    EXPECT_EQ(root["entries"]["ACAD_GROUP"].string(), hex(sample->db().groupDictionaryId()));
    EXPECT_EQ(object(sample->signs)["entries"]["Przeznaczenie"].string(), hex(sample->purpose));
    EXPECT_EQ(object(sample->signs)["owner"].string(), hex(sample->db().namedObjectsDictionaryId()));
    const Json& record = object(sample->purpose);
    EXPECT_EQ(record["type"].string(), "XRECORD");
    EXPECT_EQ(record["owner"].string(), hex(sample->signs));

    const Json& items = record["xdata"]["Tarvo"];
    resbuf* xdata = ZcDbObjectAccess::peek(sample->purpose)->xData("Tarvo");
    ASSERT_NE(xdata, nullptr);
    size_t i = 0;
    for (const resbuf* rb = xdata->rbnext; rb; rb = rb->rbnext, ++i) {
        const Json& item = items[i];
        ASSERT_EQ(item[0].number(), rb->restype) << "item " << i;
        switch (rb->restype) {
        case 1040:
            EXPECT_EQ(item[1].number(), rb->resval.rreal);
            break;
        case 1070:
            EXPECT_EQ(item[1].number(), rb->resval.rint);
            break;
        case 1071:
            EXPECT_EQ(item[1].number(), rb->resval.rlong);
            break;
        case 1010:
            expectPoint(item[1], {rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]});
            break;
        default:
            EXPECT_EQ(item[1].string(), rb->resval.rstring);
            break;
        }
    }
    EXPECT_EQ(i, 9u);
    EXPECT_EQ(items.size(), i);
    zcutRelRb(xdata);
    const auto apps = strings((*seen)["appids"]);
    EXPECT_EQ(std::count(apps.begin(), apps.end(), "Tarvo"), 1);
    EXPECT_EQ(std::count(apps.begin(), apps.end(), "ACAD"), 1);
}

TEST_F(DxfOutsideCheck, DrawOrderAsTheTableHoldsIt)
{
    const auto* space = ZcDbObjectAccess::peekAs<ZcDbBlockTableRecord>(sample->db().modelSpaceId());
    const auto* xdict = ZcDbObjectAccess::peekAs<ZcDbDictionary>(space->extensionDictionary());
    ASSERT_NE(xdict, nullptr);
    ZcDbObjectId tableId;
    ASSERT_EQ(xdict->getAt("ACAD_SORTENTS", tableId), Zcad::eOk);
    const auto* table = ZcDbObjectAccess::peekAs<ZcDbSortentsTable>(tableId);
    std::vector<std::string> expected;
    for (const auto& [entity, sortHandle] : table->entries())
        if (!entity.isErased())
            expected.push_back(hex(entity) + ">" + hex(sortHandle.value()));
    ASSERT_FALSE(expected.empty());
    std::vector<std::string> found;
    for (const Json& pair : (*seen)["draw_order"]["Model"].array())
        found.push_back(pair[0].string() + ">" + pair[1].string());
    EXPECT_EQ(found, expected);
    EXPECT_EQ(object(tableId)["block_record"].string(), hex(sample->db().modelSpaceId()));
    EXPECT_EQ(object(tableId)["owner"].string(), hex(space->extensionDictionary()));
}

TEST_F(DxfOutsideCheck, TextStyleFontLinetypesAndLayers)
{
    const Json& style = (*seen)["styles"]["Tarvowy"];
    EXPECT_EQ(style["handle"].string(), hex(sample->style));
    EXPECT_EQ(style["font"].string(), "Tarvowa.ttf");
    EXPECT_EQ(style["height"].number(), 1.0);

    const Json& linetypes = (*seen)["linetypes"];
    for (const char* name : {"ByBlock", "ByLayer", "Continuous", "P-1A", "Tarvo_Tekst"})
        EXPECT_TRUE(linetypes.has(name)) << name;
    const Json& dashed = linetypes["P-1A"];
    EXPECT_EQ(dashed["handle"].string(), hex(sample->dashed));
    EXPECT_EQ(dashed["description"].string(), "Linia pojedyncza przerywana — krótka");
    std::vector<std::pair<int, double>> pattern;
    for (const Json& tag : dashed["pattern"].array())
        pattern.emplace_back(int(tag[0].number()), tag[1].number());
    EXPECT_EQ(pattern, (std::vector<std::pair<int, double>>{
                           {72, 65}, {73, 2}, {40, 3.0}, {49, 2.0}, {74, 0}, {49, -1.0}, {74, 0}}));
    std::map<int, std::string> element;
    for (const Json& tag : linetypes["Tarvo_Tekst"]["pattern"].array())
        if (tag[1].kind() == Json::Kind::String)
            element[int(tag[0].number())] = tag[1].string();
    EXPECT_EQ(element[340], hex(sample->style));
    EXPECT_EQ(element[9], "T");

    EXPECT_EQ((*seen)["layers"]["Osie"]["color"].number(), 3);
    EXPECT_EQ((*seen)["layers"]["Osie"]["handle"].string(), hex(sample->layer));
    EXPECT_EQ((*seen)["layers"]["0"]["linetype"].string(), "Continuous");
}

TEST_F(DxfOutsideCheck, PaperSpaceAndLayouts)
{
    const Json& paper = (*seen)["paperspace"];
    ASSERT_EQ(paper.size(), 1u);
    EXPECT_EQ(paper[0]["handle"].string(), hex(sample->paperText));
    EXPECT_EQ(paper[0]["paperspace"].number(), 1);
    EXPECT_EQ(paper[0]["text"].string(), "Arkusz 1");
    const ZcDbStructureHandles& s = sample->db().impl()->structure;
    std::map<std::string, std::string> layouts;
    for (const Json& o : (*seen)["objects"].array())
        if (o["type"].string() == "LAYOUT")
            layouts[o["handle"].string()] = o["name"].string() + ">" + o["block_record"].string();
    EXPECT_EQ(layouts, (std::map<std::string, std::string>{
                           {hex(s.layoutModel), "Model>" + hex(sample->db().modelSpaceId())},
                           {hex(s.layoutPaper), "Layout1>" + hex(sample->db().paperSpaceId())}}));
}

TEST_F(DxfOutsideCheck, LibreCadDrawsItAsPdf)
{
    if (run("command -v librecad >/dev/null 2>&1").second != 0)
        GTEST_SKIP() << "LibreCAD is not installed";
    TempDir home("dxf-librecad-home");
    const std::string pdf = path.substr(0, path.size() - 4) + ".pdf";
    std::filesystem::remove(pdf);
    const auto [output, status] = run("cd " + shellQuoted(folder->path().string()) + " && HOME=" +
                                      shellQuoted(home.path().string()) +
                                      " QT_QPA_PLATFORM=offscreen timeout 60 librecad dxf2pdf -a " + shellQuoted(path) +
                                      " 2>&1");
    EXPECT_EQ(status, 0) << output;
    EXPECT_TRUE(std::filesystem::exists(pdf)) << output;
    if (std::filesystem::exists(pdf)) {
        EXPECT_GT(std::filesystem::file_size(pdf), 0u);
    }
}
