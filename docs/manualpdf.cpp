// Renders the user manual (Markdown, UTF-8) to the PDF that the program's
// "Помощь" opens. Run at build time on the offscreen platform:
//   qiro_manualpdf <manual.md> <output.pdf>
// The PDF is written aside and put in place only when it is complete.

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstdio>

namespace
{

// Markdown tables come out as narrow as their text and without padding: the
// reference tables of the manual read better across the whole page.
void widenTables(QTextFrame* frame)
{
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            format.setCellPadding(3);
            format.setCellSpacing(0);
            format.setBorder(0.5);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(Qt::gray);
            format.setTopMargin(4);
            format.setBottomMargin(6);
            table->setFormat(format);
        }
        widenTables(child);
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

int fail(const QString& text)
{
    std::fprintf(stderr, "qiro_manualpdf: %s\n", qPrintable(text));
    return 1;
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

    QSaveFile target(args.at(2));
    if (!target.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1").arg(args.at(2)));
    {
        QPdfWriter writer(&target);
        writer.setTitle(QStringLiteral("Руководство пользователя Qiro Configuration"));
        writer.setCreator(QStringLiteral("Qiro Configuration"));
        writer.setResolution(300);
        // No margins of the writer's own: printing adds 2 cm on every side and
        // puts the page number into the bottom one.
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
        widenTables(document.rootFrame());
        spaceHeadings(document);
        document.setMetaInformation(QTextDocument::DocumentTitle,
                                    QStringLiteral("Руководство пользователя Qiro Configuration"));
        document.print(&writer);
    }
    if (!target.commit())
        return fail(QStringLiteral("cannot write %1").arg(args.at(2)));
    return 0;
}
