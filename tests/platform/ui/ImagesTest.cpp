#include <gtest/gtest.h>

#include "ZcUiImages.h"
#include "tests/platform/ui/PartsDialog.h"
#include "tests/platform/ui/TestImages.h"

using namespace platform;

namespace {

constexpr UINT kSketch = 9300;
constexpr UINT kPhoto = 9301;
constexpr UINT kStrip = 9302;
constexpr UINT kIcon = 9310;

// The island sketches' kind of bitmap, a 24-bit one and a strip of three 32-pixel images.
class ChainedTestImages : public ChainedImages {
public:
    ChainedTestImages()
    {
        add(kSketch, ZcUiImageKind::kBitmap, makeBmp(500, 300, 8));
        add(kPhoto, ZcUiImageKind::kBitmap, makeBmp(7, 5, 24));
        add(kStrip, ZcUiImageKind::kBitmap, makeBmp(96, 32, 32));
        add(kIcon, ZcUiImageKind::kIcon, makeIco({{16, 8}, {48, 32}, {32, 4}, {32, 32}}));
        chain();
    }
};

BITMAP sizeOf(const CBitmap& bitmap)
{
    BITMAP info{};
    bitmap.GetBitmap(&info);
    return info;
}

}  // namespace

TEST(Bitmaps, LoadedFromTheChainWithTheirSizeAndDepth)
{
    ChainedTestImages images;
    {
        CBitmap sketch;
        ASSERT_TRUE(sketch.LoadBitmap(kSketch));
        EXPECT_FALSE(sketch.LoadBitmap(kPhoto)) << "a CBitmap holds one bitmap";
        const BITMAP info = sizeOf(sketch);
        EXPECT_EQ(info.bmWidth, 500);
        EXPECT_EQ(info.bmHeight, 300);
        EXPECT_EQ(info.bmBitsPixel, 8);
        CBitmap photo;
        photo.Attach(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kPhoto)));
        EXPECT_EQ(sizeOf(photo).bmBitsPixel, 24);
        EXPECT_EQ(sizeOf(photo).bmWidth, 7);
    }
    HBITMAP loose = LoadBitmapA(nullptr, MAKEINTRESOURCEA(kSketch));
    ASSERT_NE(loose, nullptr);
    EXPECT_TRUE(DeleteObject(loose));
    EXPECT_FALSE(DeleteObject(loose)) << "a handle is deleted once";
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(9399)), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kIcon)), nullptr) << "an icon is not a bitmap";
    EXPECT_EQ(LoadBitmapA(nullptr, "IDB_SKETCH"), nullptr);
}

TEST(Bitmaps, DamagedFilesLoadNothingAndReadNothingBeyondThem)
{
    const std::vector<unsigned char> good = makeBmp(40, 20, 8);
    std::vector<std::vector<unsigned char>> bad;
    // Every file cut short.
    for (size_t length = 0; length < good.size(); length += 7)
        bad.emplace_back(good.begin(), good.begin() + std::ptrdiff_t(length));
    auto changed = [&](size_t at, uint32_t value, bool wide) {
        std::vector<unsigned char> file = good;
        wide ? putLe32(file, at, value) : putLe16(file, at, value);
        bad.push_back(file);
    };
    changed(0, 0x4D41, false);      // "AM"
    changed(10, 0xFFFFFFF0, true);  // pixels past the end
    changed(14, 0xFFFFFFFF, true);  // header size
    changed(14, 20, true);          // unknown header
    changed(18, 0x7FFFFFFF, true);  // width
    changed(22, 0x80000000, true);  // height
    changed(22, 0, true);
    changed(26, 2, false);          // planes
    changed(28, 7, false);          // depth
    changed(30, 4, true);           // JPEG pixels
    changed(46, 0xFFFFFFFF, true);  // palette size
    for (size_t i = 0; i < bad.size(); ++i) {
        ChainedImages images;
        images.add(kSketch, ZcUiImageKind::kBitmap, bad[i]);
        images.chain();
        EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kSketch)), nullptr) << "case " << i;
    }
}

TEST(Icons, LoadIconTakesTheStandardSizeWithTheMostColours)
{
    ChainedTestImages images;
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(kIcon));
    ASSERT_NE(icon, nullptr);
    CImageList list;
    ASSERT_TRUE(list.Create(32, 32, ILC_COLOR32, 0, 4));
    EXPECT_EQ(list.Add(icon), 0);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_EQ(list.GetImageCount(), 1) << "the list keeps its own copy";
    EXPECT_EQ(list.Add(icon), -1) << "a destroyed icon adds nothing";

    std::vector<unsigned char> damaged = makeIco({{32, 8}});
    putLe32(damaged, 6 + 12, uint32_t(damaged.size()));  // image offset at the end
    std::vector<unsigned char> cursor = makeIco({{32, 8}});
    putLe16(cursor, 2, 2);
    ChainedImages broken;
    broken.add(9311, ZcUiImageKind::kIcon, damaged);
    broken.add(9312, ZcUiImageKind::kIcon, cursor);
    broken.add(9313, ZcUiImageKind::kIcon, std::vector<unsigned char>(damaged.begin(), damaged.begin() + 20));
    broken.chain();
    for (UINT id : {9311u, 9312u, 9313u})
        EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(id)), nullptr) << id;
}

TEST(ImageLists, ImagesAddedFromIconsAndBitmapStrips)
{
    ChainedTestImages images;
    CImageList list;
    EXPECT_FALSE(list.Create(0, 32, ILC_COLOR8));
    ASSERT_TRUE(list.Create(32, 32, ILC_COLOR8));
    EXPECT_FALSE(list.Create(32, 32, ILC_COLOR8)) << "created once";
    CBitmap strip, photo;
    strip.LoadBitmap(kStrip);
    photo.LoadBitmap(kPhoto);
    EXPECT_EQ(list.Add(&strip, nullptr), 0);
    EXPECT_EQ(list.GetImageCount(), 3) << "one image per 32 pixels of the strip";
    EXPECT_EQ(list.Add(&photo, RGB(255, 0, 255)), -1) << "narrower than one image";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.Add(LoadIconA(nullptr, MAKEINTRESOURCEA(kIcon))), 3 + i);
    int cx = 0, cy = 0;
    EXPECT_TRUE(list.GetImageSize(cx, cy));
    EXPECT_EQ(cx, 32);
    EXPECT_TRUE(list.DeleteImageList());
    EXPECT_EQ(list.GetImageCount(), 0);
    EXPECT_EQ(list.Add(LoadIconA(nullptr, MAKEINTRESOURCEA(kIcon))), -1);
}

TEST(Pictures, TheDescriptionNamesTheBitmapShownUntilItIsDeleted)
{
    ChainedTestResources resources;
    ChainedTestImages images;
    PartsDialog dialog;
    CBitmap sketch;
    std::string shownWhileOpen;
    dialog.onInit = [&](PartsDialog& d) {
        sketch.LoadBitmap(kSketch);
        EXPECT_EQ(d.picture().SetBitmap(sketch), nullptr);
        EXPECT_EQ(static_cast<CStatic*>(d.GetDlgItem(9210))->SetIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(kIcon))),
                  nullptr);
    };
    dialog.onCommand = [&](PartsDialog& d, int id, int) {
        if (id == 9204)
            shownWhileOpen = d.describe();
    };
    const PartsRun run = runParts(dialog, "dlg click IDC_PICTURE\ndlg click IDC_ICON\ndlg click 2\n");
    EXPECT_FALSE(run.failure);
    // The picture tells of the click (SS_NOTIFY); the icon does not.
    EXPECT_EQ(dialog.commands, (std::vector<std::pair<int, int>>{{9204, STN_CLICKED}, {2, BN_CLICKED}}));
    EXPECT_NE(shownWhileOpen.find("9204 IDC_PICTURE Static: bitmapa 9300 500×300, 8 bpp\n"), std::string::npos)
        << shownWhileOpen;
    EXPECT_NE(shownWhileOpen.find("9210 IDC_ICON Static: ikona 9310 32×32, 32 bpp\n"), std::string::npos);
    sketch.DeleteObject();
    EXPECT_NE(dialog.describe().find("IDC_PICTURE Static: bitmapa usunięta\n"), std::string::npos);
}
