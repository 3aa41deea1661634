// Renders the user manual (Markdown, UTF-8) to the PDF that the program's
// "Помощь" opens. Run at build time on the offscreen platform:
//   qiro_manualpdf <manual.md> <output.pdf>
// The PDF is written aside and put in place only when it is complete.
//
// The manual promises a fixed-width face for file names, logins and values,
// so code spans get one. Its reference tables run over pages: a row is never
// cut by a page break, and a table that goes on on the next page starts there
// with its header row again.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPair>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QVector>

#include <cmath>
#include <cstdio>

namespace
{

// Page margins in millimetres; the page number sits in the bottom one.
constexpr qreal marginMm = 20.0;

int fail(const QString& text)
{
    std::fprintf(stderr, "qiro_manualpdf: %s\n", qPrintable(text));
    return 1;
}

// A fixed-width face with Cyrillic glyphs for the code spans: DejaVu Sans Mono,
// which the build machine's set-up installs, else any installed fixed-pitch
// face that has Cyrillic. The face is named rather than asked for as the
// generic "monospace": a desktop's fontconfig may map that to a face it does
// not mark as fixed-pitch (Noto Sans Mono) or to a proportional one. An empty
// family when the system has none.
QString fixedWidthFamily()
{
    const QFontDatabase fonts;
    const QString preferred = QStringLiteral("DejaVu Sans Mono");
    const QStringList cyrillic = fonts.families(QFontDatabase::Cyrillic);
    if (cyrillic.contains(preferred) && fonts.isFixedPitch(preferred))
        return preferred;
    for (const QString& family : cyrillic)
        if (fonts.isFixedPitch(family) && !fonts.isPrivateFamily(family))
            return family;
    return QString();
}

// The Markdown reader gives code spans the platform's fixed font, which on the
// offscreen platform is the ordinary proportional one. It is the only text
// that carries a family of its own, so that family marks the code spans.
void setCodeFont(QTextDocument& document, const QString& family)
{
    const QString readerFamily = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (!format.hasProperty(QTextFormat::FontFamily) || format.fontFamily() != readerFamily)
                continue;
            format.setFontFamily(family);
            format.setFontFixedPitch(true);
            format.setFontStyleHint(QFont::Monospace);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

// The tables of the document in reading order (the manual nests none).
QVector<QTextTable*> tables(QTextFrame* frame)
{
    QVector<QTextTable*> found;
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            found << table;
        found << tables(child);
    }
    return found;
}

// Markdown tables come out as narrow as their text and without padding: the
// reference tables of the manual read better across the whole page. The first
// row of every Markdown table is its header.
void formatTables(QTextDocument& document)
{
    for (QTextTable* table : tables(document.rootFrame())) {
        QTextTableFormat format = table->format();
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setBorder(0.5);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(Qt::gray);
        format.setTopMargin(4);
        format.setBottomMargin(6);
        format.setHeaderRowCount(1);
        table->setFormat(format);
    }
}

// Headings straight after the text above them are hard to find on a page.
void spaceHeadings(QTextDocument& document)
{
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        QTextBlockFormat format = block.blockFormat();
        format.setTopMargin(level == 1 ? 0 : level == 2 ? 18 : 10);
        format.setBottomMargin(6);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

// The layout scales frame margins from screen to device pixels; the margins
// are given in device pixels, so the scale is measured on the first block.
void setPageMargins(QTextDocument& document, qreal margin)
{
    QTextFrameFormat root = document.rootFrame()->frameFormat();
    root.setMargin(margin);
    document.rootFrame()->setFrameFormat(root);
    const qreal laidOut = document.documentLayout()->blockBoundingRect(document.begin()).left();
    if (laidOut <= 0 || qFuzzyCompare(laidOut, margin))
        return;
    root.setMargin(margin * margin / laidOut);
    document.rootFrame()->setFrameFormat(root);
}

// Where a block's lines lie in the document. The layout moves a line that
// does not fit to the next page inside its block, so the block's own box does
// not tell where its first line went.
QPair<qreal, qreal> lineSpan(const QTextDocument& document, const QTextBlock& block)
{
    const QRectF rect = document.documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return {rect.top(), rect.bottom()};
    // The box is the lines' box moved to the block's place, so its top is
    // where the block starts, whatever the first line's own offset.
    const qreal origin = rect.top();
    const QTextLine last = layout->lineAt(layout->lineCount() - 1);
    return {origin + layout->lineAt(0).y(), origin + last.y() + last.height()};
}

// Where the text of a table row lies on the pages: its first and last page.
struct RowPages {
    int first = 0;
    int last = 0;
};

RowPages rowPages(const QTextDocument& document, QTextTable* table, int row)
{
    const qreal pageHeight = document.pageSize().height();
    qreal top = 0;
    qreal bottom = 0;
    bool any = false;
    for (int column = 0; column < table->columns(); ++column) {
        const QTextTableCell cell = table->cellAt(row, column);
        for (QTextBlock block = cell.firstCursorPosition().block();
             block.isValid() && block.position() <= cell.lastPosition(); block = block.next()) {
            const QPair<qreal, qreal> span = lineSpan(document, block);
            if (!any || span.first < top)
                top = span.first;
            if (!any || span.second > bottom)
                bottom = span.second;
            any = true;
        }
    }
    // A text that ends right on the page's edge still belongs to that page.
    return {int(std::floor(top / pageHeight)), int(std::floor((bottom - 0.01) / pageHeight))};
}

// Every piece of a split table keeps the column widths the whole table was
// laid out with, so the columns line up from page to page.
void fixColumnWidths(const QTextDocument& document, QTextTable* table)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const QRectF frame = layout->frameBoundingRect(table);
    if (frame.width() <= 0)
        return;
    QVector<qreal> lefts;
    for (int column = 0; column < table->columns(); ++column)
        lefts << layout->blockBoundingRect(table->cellAt(0, column).firstCursorPosition().block())
                     .left();
    lefts << frame.right();
    QVector<QTextLength> widths;
    for (int column = 0; column < table->columns(); ++column)
        widths << QTextLength(QTextLength::PercentageLength,
                              100.0 * (lefts.at(column + 1) - lefts.at(column)) / frame.width());
    QTextTableFormat format = table->format();
    format.setColumnWidthConstraints(widths);
    table->setFormat(format);
}

// Splits the table before `row`: the rows from there on go into a copy of the
// table that starts on a new page with the header row.
void splitTable(QTextDocument& document, QTextTable* table, int row)
{
    const int rows = table->rows();
    QTextCursor whole(&document);
    whole.setPosition(table->firstPosition() - 1);
    whole.setPosition(table->lastPosition() + 1, QTextCursor::KeepAnchor);
    const QTextDocumentFragment copy = whole.selection();

    QTextCursor after(&document);
    after.setPosition(table->lastPosition() + 1);
    after.insertFragment(copy);

    // The copy is the first table after the original one.
    QTextTable* rest = nullptr;
    for (QTextTable* candidate : tables(document.rootFrame()))
        if (candidate->firstPosition() > table->lastPosition()) {
            rest = candidate;
            break;
        }
    if (!rest)
        return;
    QTextTableFormat format = table->format();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    rest->setFormat(format);
    rest->removeRows(1, row - 1);
    table->removeRows(row, rows - row);
}

// The page of a block's first line.
int pageOf(const QTextDocument& document, const QTextBlock& block)
{
    return int(std::floor(lineSpan(document, block).first / document.pageSize().height()));
}

bool isHeading(const QTextBlock& block)
{
    return block.blockFormat().headingLevel() > 0;
}

QTextBlock previousText(const QTextBlock& block)
{
    QTextBlock above = block.previous();
    while (above.isValid() && above.text().trimmed().isEmpty())
        above = above.previous();
    return above;
}

QTextBlock nextText(const QTextBlock& block)
{
    QTextBlock below = block.next();
    while (below.isValid() && below.text().trimmed().isEmpty())
        below = below.next();
    return below;
}

bool inRoot(const QTextDocument& document, const QTextBlock& block)
{
    return document.frameAt(block.position()) == document.rootFrame();
}

// The headings right above a block, from the topmost one; the block itself
// when none is.
QTextBlock headingsAbove(const QTextDocument& document, QTextBlock block)
{
    for (QTextBlock above = previousText(block);
         above.isValid() && isHeading(above) && inRoot(document, above);
         above = previousText(above))
        block = above;
    return block;
}

// The text that introduces a table goes to the next page with it: the
// headings right above it, or a line ending in ":" and the headings above it.
QTextBlock leadIn(QTextDocument& document, QTextTable* table)
{
    QTextBlock block = document.findBlock(table->firstPosition() - 1);
    while (block.isValid() && block.text().trimmed().isEmpty())
        block = block.previous();
    if (!block.isValid() || !inRoot(document, block))
        return QTextBlock();
    if (!isHeading(block) && !block.text().trimmed().endsWith(QLatin1Char(':')))
        return QTextBlock();
    return headingsAbove(document, block);
}

bool breaksBefore(const QTextBlockFormat& format)
{
    return format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

bool breaksBefore(const QTextFrameFormat& format)
{
    return format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

void breakBefore(QTextDocument& document, const QTextBlock& block)
{
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor cursor(&document);
    cursor.setPosition(block.position());
    cursor.setBlockFormat(format);
}

// Takes back a page break set before a block (or before the table that
// begins with it).
void keepAfter(QTextDocument& document, const QTextBlock& block)
{
    if (breaksBefore(block.blockFormat())) {
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        QTextCursor cursor(&document);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    if (auto* table = qobject_cast<QTextTable*>(document.frameAt(block.position()))) {
        QTextTableFormat format = table->format();
        if (breaksBefore(format) && table->cellAt(0, 0).firstCursorPosition().block() == block) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
            table->setFormat(format);
        }
    }
}

// Starts the table, with the text that introduces it, on a new page; false
// when it starts on one already.
bool moveToNextPage(QTextDocument& document, QTextTable* table)
{
    const QTextBlock lead = leadIn(document, table);
    if (lead.isValid() && !breaksBefore(lead.blockFormat()) &&
        pageOf(document, lead) == rowPages(document, table, 0).first) {
        breakBefore(document, lead);
        return true;
    }
    QTextTableFormat format = table->format();
    if (breaksBefore(format))
        return false;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    table->setFormat(format);
    return true;
}

// Mends the first place where a page break cuts a table row or leaves a
// heading alone at the foot of a page; false when there is none.
bool mendFirstBreak(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!isHeading(block) || breaksBefore(block.blockFormat()))
            continue;
        const QTextBlock next = nextText(block);
        if (next.isValid() && pageOf(document, next) > pageOf(document, block)) {
            // The page break moves up to the heading: what follows it comes
            // along instead of going to a page of its own.
            keepAfter(document, next);
            breakBefore(document, block);
            return true;
        }
    }
    for (QTextTable* table : tables(document.rootFrame())) {
        const int page = rowPages(document, table, 0).first;
        int row = 0;
        while (row < table->rows() && rowPages(document, table, row).last == page)
            ++row;
        if (row == table->rows())
            continue;
        if (row >= 2) {
            splitTable(document, table, row);
            return true;
        }
        // The header or the first row would be cut: the whole table moves.
        // A row longer than a page is left to the layout.
        if (moveToNextPage(document, table))
            return true;
    }
    return false;
}

// Lays the document out and mends it until no table row is cut by a page
// break and every table that goes on on a new page repeats its header there.
// A mend only ever moves text down, so the passes come to an end.
void keepRowsWhole(QTextDocument& document)
{
    document.documentLayout()->pageCount();
    for (QTextTable* table : tables(document.rootFrame()))
        fixColumnWidths(document, table);
    for (int pass = 0; pass < 1000; ++pass) {
        document.documentLayout()->pageCount();
        if (!mendFirstBreak(document))
            return;
    }
}

// Prints the laid-out pages, each with its number in the bottom margin.
void printPages(QTextDocument& document, QPdfWriter& writer)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const QSizeF page = document.pageSize();
    const int pages = layout->pageCount();
    const qreal margin = marginMm / 25.4 * writer.logicalDpiX();
    QPainter painter(&writer);
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            writer.newPage();
        const QRectF view(0, index * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();

        painter.setFont(QFont(document.defaultFont(), &writer));
        const QString number = QString::number(index + 1);
        const QFontMetricsF metrics(painter.font(), &writer);
        painter.drawText(QPointF(page.width() - margin - metrics.horizontalAdvance(number),
                                 page.height() - margin / 2),
                         number);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    // arguments(), not argv: on Windows argv is in the ANSI code page and
    // would garble the Cyrillic file name.
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: qiro_manualpdf <manual.md> <output.pdf>"));

    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(args.at(1)));
    const QString markdown = QString::fromUtf8(source.readAll());
    if (markdown.trimmed().isEmpty())
        return fail(QStringLiteral("%1 is empty").arg(args.at(1)));
    const QString codeFamily = fixedWidthFamily();
    if (codeFamily.isEmpty())
        return fail(QStringLiteral("no fixed-width font for the code spans (fonts-dejavu-core)"));

    QSaveFile target(args.at(2));
    if (!target.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1").arg(args.at(2)));
    {
        QPdfWriter writer(&target);
        writer.setTitle(QStringLiteral("Руководство пользователя Qiro Configuration"));
        writer.setCreator(QStringLiteral("Qiro Configuration"));
        writer.setResolution(300);
        // The page's margins are the document's own, so that the layout knows
        // exactly where every page ends.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

        QTextDocument document;
        // A sans-serif face with Cyrillic glyphs: the system's default one
        // (DejaVu Sans on Linux, Arial or Segoe UI on Windows).
        QFont font;
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(10);
        document.setDefaultFont(font);
        document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
        setCodeFont(document, codeFamily);
        formatTables(document);
        spaceHeadings(document);
        // Paged only now: every format change of a paged document lays it
        // out anew.
        document.documentLayout()->setPaintDevice(&writer);
        document.setPageSize(QSizeF(writer.width(), writer.height()));
        setPageMargins(document, marginMm / 25.4 * writer.logicalDpiX());
        keepRowsWhole(document);
        document.setMetaInformation(QTextDocument::DocumentTitle,
                                    QStringLiteral("Руководство пользователя Qiro Configuration"));
        printPages(document, writer);
    }
    if (!target.commit())
        return fail(QStringLiteral("cannot write %1").arg(args.at(2)));
    return 0;
}
