#include "xlsxsheet.h"

#include <xlsxwriter.h>

#include <QFileInfo>
#include <QSet>

#include <cstdio>
#include <cstring>
#include <utility>

namespace
{
// The library's column limit; the row limit is MaxRows.
constexpr quint64 maxRows = XlsxSheet::MaxRows;
constexpr int maxColumns = 16384;

// Frees a workbook without writing its file. Freeing it leaves the sheet's
// temporary file open (the close would have copied and closed it): it is
// closed here, so that no handle is left on it and its folder can be removed.
void freeWorkbook(lxw_workbook* workbook, lxw_worksheet* sheet)
{
    if (!workbook)
        return;
    if (sheet && sheet->optimize_tmpfile) {
        std::fclose(sheet->optimize_tmpfile);
        sheet->optimize_tmpfile = nullptr;
    }
    lxw_workbook_free(workbook);
}

std::unique_ptr<char[]> copyOf(const QByteArray& text)
{
    std::unique_ptr<char[]> copy(new char[size_t(text.size()) + 1]);
    std::memcpy(copy.get(), text.constData(), size_t(text.size()) + 1);
    return copy;
}
} // namespace

XlsxClose::~XlsxClose()
{
    free();
}

XlsxClose::XlsxClose(XlsxClose&& other) noexcept
    : m_workbook(std::exchange(other.m_workbook, nullptr)),
      m_sheet(std::exchange(other.m_sheet, nullptr)), m_tempFolder(std::move(other.m_tempFolder))
{
}

XlsxClose& XlsxClose::operator=(XlsxClose&& other) noexcept
{
    if (this != &other) {
        free();
        m_workbook = std::exchange(other.m_workbook, nullptr);
        m_sheet = std::exchange(other.m_sheet, nullptr);
        m_tempFolder = std::move(other.m_tempFolder);
    }
    return *this;
}

void XlsxClose::free()
{
    freeWorkbook(m_workbook, m_sheet);
    m_workbook = nullptr;
    m_sheet = nullptr;
}

bool XlsxClose::run()
{
    if (!m_workbook)
        return false;
    // The close frees the workbook whether it succeeds or not.
    const lxw_error e = workbook_close(m_workbook);
    m_workbook = nullptr;
    m_sheet = nullptr;
    return e == LXW_NO_ERROR;
}

XlsxSheet::XlsxSheet(const QString& fileName)
    : m_tempFolder(copyOf(QFileInfo(fileName).absolutePath().toUtf8()))
{
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_tempFolder.get();
    m_workbook = workbook_new_opt(fileName.toUtf8().constData(), &options);
    if (m_workbook)
        m_sheet = workbook_add_worksheet(m_workbook, nullptr);
    m_ok = m_workbook && m_sheet;
}

XlsxSheet::~XlsxSheet()
{
    discard();
}

void XlsxSheet::discard()
{
    freeWorkbook(m_workbook, m_sheet);
    m_workbook = nullptr;
    m_sheet = nullptr;
    m_ok = false;
}

bool XlsxSheet::rowInOrder(quint64 row)
{
    // The library refuses a cell of a row it has already written out: the
    // sheet would lack it, so the whole sheet counts as failed.
    if (row < m_row)
        return false;
    m_row = row;
    return true;
}

lxw_format* XlsxSheet::format(quint32 fill)
{
    auto it = m_formats.find(fill);
    if (it != m_formats.end())
        return it.value();
    lxw_format* f = workbook_add_format(m_workbook);
    if (!f) {
        m_ok = false;
        return nullptr;
    }
    // 0x000000 means "no colour" to the library: black has its own constant.
    format_set_font_color(f, LXW_COLOR_BLACK);
    format_set_pattern(f, LXW_PATTERN_SOLID);
    format_set_bg_color(f, fill == 0 ? lxw_color_t(LXW_COLOR_BLACK) : lxw_color_t(fill));
    format_set_border(f, LXW_BORDER_HAIR);
    m_formats.insert(fill, f);
    return f;
}

void XlsxSheet::writeText(quint64 row, int column, const QString& text, quint32 fill)
{
    if (!m_ok || row < 1 || row > maxRows || column < 1 || column > maxColumns ||
        !rowInOrder(row)) {
        m_ok = false;
        return;
    }
    lxw_format* f = format(fill);
    if (!f)
        return;
    const lxw_error e = worksheet_write_string(m_sheet, lxw_row_t(row - 1), lxw_col_t(column - 1),
                                               text.toUtf8().constData(), f);
    if (e != LXW_NO_ERROR)
        m_ok = false;
}

void XlsxSheet::mergeText(quint64 row, int firstColumn, int lastColumn, const QString& text,
                          quint32 fill)
{
    if (!m_ok || row < 1 || row > maxRows || firstColumn < 1 || lastColumn < firstColumn ||
        lastColumn > maxColumns || !rowInOrder(row)) {
        m_ok = false;
        return;
    }
    lxw_format* f = format(fill);
    if (!f)
        return;
    const lxw_error e = worksheet_merge_range(
        m_sheet, lxw_row_t(row - 1), lxw_col_t(firstColumn - 1), lxw_row_t(row - 1),
        lxw_col_t(lastColumn - 1), text.toUtf8().constData(), f);
    if (e != LXW_NO_ERROR)
        m_ok = false;
}

void XlsxSheet::setColumnWidth(int column, double width)
{
    if (column >= 1 && column <= maxColumns)
        m_widths.insert(column, width);
}

void XlsxSheet::setColumnFormat(int firstColumn, int lastColumn, quint32 fill)
{
    for (int c = qMax(1, firstColumn); c <= qMin(lastColumn, maxColumns); ++c)
        m_columnFills.insert(c, fill);
}

XlsxClose XlsxSheet::takeForClose()
{
    if (!m_workbook)
        return {};
    // The rows written out so far are in the library's temporary file, and the
    // library does not report a failed write there: a disk that ran full would
    // give a workbook without its last rows, taken for a whole one. (The row
    // still held goes out in the close, which then fails writing the workbook
    // onto the same full disk.)
    FILE* rows = m_sheet ? m_sheet->optimize_tmpfile : nullptr;
    if (rows && (std::fflush(rows) != 0 || std::ferror(rows)))
        m_ok = false;
    QSet<int> columns;
    for (auto it = m_widths.cbegin(); it != m_widths.cend(); ++it)
        columns.insert(it.key());
    for (auto it = m_columnFills.cbegin(); it != m_columnFills.cend(); ++it)
        columns.insert(it.key());
    for (int c : columns) {
        if (!m_ok)
            break;
        const double width = m_widths.value(c, LXW_DEF_COL_WIDTH);
        lxw_format* f = m_columnFills.contains(c) ? format(m_columnFills.value(c)) : nullptr;
        const lxw_error e =
            worksheet_set_column(m_sheet, lxw_col_t(c - 1), lxw_col_t(c - 1), width, f);
        if (e != LXW_NO_ERROR)
            m_ok = false;
    }
    if (!m_ok) { // nothing usable to write: freed at once instead
        discard();
        return {};
    }
    XlsxClose close;
    close.m_workbook = std::exchange(m_workbook, nullptr);
    close.m_sheet = std::exchange(m_sheet, nullptr);
    close.m_tempFolder = std::move(m_tempFolder);
    m_formats.clear(); // the workbook's own, gone with it
    m_ok = false;
    return close;
}
