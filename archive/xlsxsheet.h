#pragma once

// One worksheet of a new workbook, written through libxlsxwriter. Only what
// the log export needs: text cells with a solid fill, hair borders and black
// font, merged ranges within one row, column widths and one format for a
// block of columns. Rows and columns count from 1. Column options are
// collected and given to the library once per column when the workbook is
// saved, because overlapping column ranges make a file that spreadsheet
// programs repair.
//
// The library runs in its constant-memory mode: each row goes to a temporary
// file beside the workbook's file as soon as the next row starts, so a sheet
// of a million rows holds one row in memory, not all of them. Rows must
// therefore come in rising order (the cells of one row in any order); a
// write to a row before the current one fails the sheet.

#include <QMap>
#include <QString>
#include <QtGlobal>

#include <memory>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// A workbook whose cells are all given, taken from its sheet for the library's
// close. It holds no Qt object and nothing its sheet still uses (the path of
// the temporary folder included), so the close may run on another thread.
// Dropped without run(), the workbook is freed and no file written.
class XlsxClose
{
public:
    XlsxClose() = default;
    ~XlsxClose();
    XlsxClose(XlsxClose&& other) noexcept;
    XlsxClose& operator=(XlsxClose&& other) noexcept;
    XlsxClose(const XlsxClose&) = delete;
    XlsxClose& operator=(const XlsxClose&) = delete;

    // False when there is nothing to close (the sheet had failed).
    explicit operator bool() const { return m_workbook != nullptr; }
    // Writes the file and frees the workbook; true when the file is complete.
    // It cannot be interrupted and takes a while for a long sheet.
    bool run();

private:
    friend class XlsxSheet;
    void free();

    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    // The library is given this path, not a copy: it lives as long as the workbook.
    std::unique_ptr<char[]> m_tempFolder;
};

class XlsxSheet
{
public:
    // The last row a sheet can have; a row past it cannot be written.
    static constexpr quint64 MaxRows = 1048576;

    // The library's temporary files go into the folder of `fileName`.
    explicit XlsxSheet(const QString& fileName);
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet&) = delete;
    XlsxSheet& operator=(const XlsxSheet&) = delete;

    // False once any call of the library failed; the file is then not usable.
    bool ok() const { return m_ok; }

    // fill: 0xRRGGBB.
    void writeText(quint64 row, int column, const QString& text, quint32 fill);
    void mergeText(quint64 row, int firstColumn, int lastColumn, const QString& text, quint32 fill);
    void setColumnWidth(int column, double width);
    // Columns first..last get the format of `fill` (their width stays as set).
    void setColumnFormat(int firstColumn, int lastColumn, quint32 fill);

    // Gives the column options to the library and hands the workbook over for
    // its close, which writes the file (XlsxClose::run); an empty one when the
    // sheet failed, freed at once. The sheet holds no workbook afterwards.
    XlsxClose takeForClose();
    // Frees the workbook without writing its file (a cancelled or refused
    // export); quick whatever the sheet's length. The destructor does the same.
    void discard();

private:
    lxw_format* format(quint32 fill);
    bool rowInOrder(quint64 row);

    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    QMap<quint32, lxw_format*> m_formats;
    QMap<int, double> m_widths;
    QMap<int, quint32> m_columnFills;
    std::unique_ptr<char[]> m_tempFolder;
    quint64 m_row = 0; // the row being written
    bool m_ok = false;
};
