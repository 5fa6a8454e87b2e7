#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdlib>

#include "ZcDbDatabase.h"
#include "console/ReportFormats.h"
#include "console/ReportPictures.h"
#include "platform/core/OutputFile.h"
#include "platform/render/ReferencePictures.h"

using platform::OutputSink;
using platform::writeOutputFile;

namespace {

// A4 across, in points: the widest tables have twelve columns.
constexpr double kPageWidth = 841.89;
constexpr double kPageHeight = 595.28;
constexpr double kMargin = 36.0;
constexpr double kTitleSize = 12.0;
// The tables' type: smaller, down to the least that prints legibly, when a
// table is wider than the page.
constexpr double kTextSize = 8.0;
constexpr double kLeastTextSize = 4.5;
constexpr double kPadding = 3.0;
constexpr double kPictureWidth = 48.0;
constexpr double kPictureHeight = 24.0;
// Warnings quoted on the page: the rest of a long one is in the other formats.
constexpr size_t kWarningChars = 160;
constexpr const char* kFont = "DejaVu Sans";

class PdfWriter {
public:
    PdfWriter(cairo_t* cr, const std::map<std::string, size_t>& pictureIndex,
              const std::vector<platform::UprightReference>& pictures)
        : m_cr(cr), m_pictureIndex(pictureIndex), m_pictures(pictures)
    {
    }

    void title(const std::string& text)
    {
        font(kTitleSize, true);
        need(kTitleSize * 2.5);
        m_y += kTitleSize * 1.5;
        show(kMargin, m_y, text);
        m_y += kTitleSize;
    }

    void table(const ReportTable& t)
    {
        const bool drawn = std::any_of(t.pictures.begin(), t.pictures.end(),
                                       [&](const std::string& h) { return m_pictureIndex.count(h) != 0; });
        const double pictureColumn = drawn ? kPictureWidth + 2 * kPadding : 0.0;
        // Column widths at the normal size, then the size that fits the page.
        font(kTextSize, true);
        std::vector<double> widths(t.headings.size());
        for (size_t c = 0; c < widths.size(); ++c)
            widths[c] = advance(t.headings[c]);
        font(kTextSize, false);
        for (const auto& row : t.rows)
            for (size_t c = 0; c < row.size(); ++c)
                widths[c] = std::max(widths[c], advance(cellText(row[c], ',')));
        double total = 0.0;
        for (const double w : widths)
            total += w;
        const double room = kPageWidth - 2 * kMargin - pictureColumn - 2 * kPadding * double(widths.size());
        m_size = std::max(kLeastTextSize, total > room ? kTextSize * room / total : kTextSize);
        for (double& w : widths)
            w = w * m_size / kTextSize + 2 * kPadding;
        title(t.title);
        const double rowHeight = std::max(m_size * 2.0, drawn ? kPictureHeight + 2 * kPadding : 0.0);
        auto header = [&] { line(t.headings, widths, pictureColumn, m_size * 2.0, true, {}, drawn ? "Rysunek" : ""); };
        header();
        for (size_t r = 0; r < t.rows.size(); ++r) {
            if (m_y + rowHeight > kPageHeight - kMargin) {
                newPage();
                header();
            }
            std::vector<std::string> texts;
            for (const auto& cell : t.rows[r])
                texts.push_back(cellText(cell, ','));
            const bool totals = r + 1 == t.rows.size();
            std::vector<bool> right;
            for (const auto& cell : t.rows.back())
                right.push_back(cell.kind != ReportCell::Kind::Text);
            const std::string picture = r < t.pictures.size() ? t.pictures[r] : "";
            line(texts, widths, pictureColumn, totals ? m_size * 2.0 : rowHeight, totals, right, "", picture);
        }
        m_y += kTitleSize;
    }

    void warnings(const std::vector<std::string>& list)
    {
        title("Ostrzeżenia");
        font(kTextSize, false);
        if (list.empty())
            list1("Brak.");
        for (const std::string& w : list)
            list1(w.size() > kWarningChars ? cut(w) : w);
    }

    void newPage()
    {
        if (m_y > kMargin)
            cairo_show_page(m_cr);
        m_y = kMargin;
    }

private:
    static std::string cut(const std::string& w)
    {
        size_t at = kWarningChars;
        while (at > 0 && (static_cast<unsigned char>(w[at]) & 0xC0) == 0x80)
            --at;
        return w.substr(0, at) + " […]";
    }

    void list1(const std::string& text)
    {
        need(kTextSize * 1.6);
        m_y += kTextSize * 1.4;
        cairo_save(m_cr);
        cairo_rectangle(m_cr, kMargin, m_y - kTextSize * 1.4, kPageWidth - 2 * kMargin, kTextSize * 2);
        cairo_clip(m_cr);
        show(kMargin, m_y, "– " + text);
        cairo_restore(m_cr);
    }

    void need(double height)
    {
        if (m_y + height > kPageHeight - kMargin)
            newPage();
    }

    void font(double size, bool bold)
    {
        cairo_select_font_face(m_cr, kFont, CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(m_cr, size);
    }

    double advance(const std::string& text)
    {
        cairo_text_extents_t e;
        cairo_text_extents(m_cr, text.c_str(), &e);
        return e.x_advance;
    }

    void show(double x, double baseline, const std::string& text)
    {
        cairo_set_source_rgb(m_cr, 0, 0, 0);
        cairo_move_to(m_cr, x, baseline);
        cairo_show_text(m_cr, text.c_str());
    }

    void line(const std::vector<std::string>& texts, const std::vector<double>& widths, double pictureColumn,
              double height, bool bold, const std::vector<bool>& right, const std::string& pictureHeading,
              const std::string& picture = "")
    {
        font(m_size, bold);
        double x = kMargin;
        const double baseline = m_y + height / 2.0 + m_size * 0.35;
        cairo_set_line_width(m_cr, 0.4);
        cairo_set_source_rgb(m_cr, 0.5, 0.5, 0.5);
        double full = pictureColumn;
        for (const double w : widths)
            full += w;
        cairo_rectangle(m_cr, kMargin, m_y, full, height);
        cairo_stroke(m_cr);
        if (pictureColumn > 0.0) {
            if (!pictureHeading.empty())
                show(x + kPadding, baseline, pictureHeading);
            if (const auto it = m_pictureIndex.find(picture); it != m_pictureIndex.end())
                platform::paintFitted(m_cr, m_pictures[it->second], x + kPadding, m_y + kPadding, kPictureWidth,
                                      height - 2 * kPadding);
            x += pictureColumn;
        }
        for (size_t c = 0; c < texts.size(); ++c) {
            const bool alignRight = c < right.size() && right[c];
            show(alignRight ? x + widths[c] - kPadding - advance(texts[c]) : x + kPadding, baseline, texts[c]);
            x += widths[c];
        }
        m_y += height;
    }

    cairo_t* m_cr;
    const std::map<std::string, size_t>& m_pictureIndex;
    const std::vector<platform::UprightReference>& m_pictures;
    double m_y = kMargin;
    double m_size = kTextSize;
};

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool
tarvoWriteReportPdf(const ZcDbDatabase& db, const Report& report, const std::string& title, const std::string& path,
                    std::vector<std::string>& notices, std::string& error)
{
    std::map<std::string, size_t> pictureIndex;
    std::vector<ZcDbObjectId> references;
    for (const ReportTable& table : report.tables)
        for (const std::string& handle : table.pictures) {
            ZcDbObjectId id;
            const uint64_t value = std::strtoull(handle.c_str(), nullptr, 16);
            if (value == 0 || pictureIndex.count(handle) ||
                db.getZcDbObjectId(id, false, ZcDbHandle(value)) != Zcad::eOk)
                continue;
            pictureIndex.emplace(handle, references.size());
            references.push_back(id);
        }
    const std::vector<platform::UprightReference> pictures = platform::uprightReferences(db, references, notices);

    std::string bytes;
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(appendBytes, &bytes, kPageWidth, kPageHeight);
    // No creation date: the same drawing gives the same file.
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, "");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_t* cr = cairo_create(surface);
    {
        PdfWriter page(cr, pictureIndex, pictures);
        page.title(title);
        for (const ReportTable& table : report.tables)
            page.table(table);
        page.warnings(report.warnings);
    }
    if (const cairo_status_t status = platform::finishDrawing(cr, surface); status != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + path + ": " + cairo_status_to_string(status);
        return false;
    }
    return writeOutputFile(
        path, [&](const OutputSink& sink, std::string&) { return sink(bytes); }, error);
}
