// Every text and every value fits the widget that shows it: all pages of the
// main window (every tab, every stacked page, after each rebuild for a model of
// each group, each access level, both register layouts and both languages) and
// every dialog, measured with a fixed DejaVu Sans font. Pages added later are
// walked the same way without changes here.
//
// Also leaves screenshots of tabs 0 and 1 in both languages next to the test
// program, for a reviewer to look at.

#include "apptest.h"
#include "authorizationwindow.h"
#include "connect_com_port.h"
#include "mainwindow.h"
#include "reference.h"
#include "warningguard.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QtTest>

#include <cstdio>
#include <map>
#include <memory>

namespace
{

QString plainText(QString text)
{
    if (Qt::mightBeRichText(text)) {
        QTextDocument doc;
        doc.setHtml(text);
        text = doc.toPlainText();
    }
    return text;
}

int widestLine(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    return widest;
}

QString withoutMnemonics(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

// What a widget shows and how much room it has for it; needed 0: nothing to check.
struct Fit {
    QString text;
    int needed = 0;
    int available = 0;
};

Fit buttonFit(QAbstractButton* button)
{
    Fit fit;
    fit.text = withoutMnemonics(button->text());
    if (fit.text.isEmpty())
        return fit;
    fit.needed = widestLine(button->fontMetrics(), fit.text);
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(button))
        element = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<QPushButton*>(button))
        return Fit();
    fit.available = button->style()->subElementRect(element, &option, button).width();
    if (!button->icon().isNull())
        fit.needed += button->iconSize().width() + 4;
    if (element == QStyle::SE_PushButtonContents)
        fit.needed +=
            2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button) / 2;
    return fit;
}

Fit labelFit(QLabel* label)
{
    Fit fit;
    if (label->wordWrap() || !label->pixmap(Qt::ReturnByValue).isNull())
        return fit;
    fit.text = plainText(label->text());
    if (fit.text.trimmed().isEmpty())
        return fit;
    fit.needed = widestLine(label->fontMetrics(), fit.text);
    int indent = label->indent();
    if (indent < 0)
        indent = label->frameWidth() > 0
                     ? label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2
                     : 0;
    fit.available = label->contentsRect().width() - 2 * label->margin() - indent;
    return fit;
}

Fit spinBoxFit(QAbstractSpinBox* box)
{
    Fit fit;
    QStringList values;
    // Display boxes open their range wide only so that no device value is ever clipped;
    // no value shown there has more than six integer digits.
    const auto shown = [](double v) { return qBound(-999999.0, v, 999999.0); };
    QLocale locale = box->locale();
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    if (auto* spin = qobject_cast<QSpinBox*>(box)) {
        const auto show = [&](int v) {
            return spin->displayIntegerBase() == 10
                       ? locale.toString(v)
                       : QString::number(v, spin->displayIntegerBase());
        };
        values << spin->prefix() + show(int(shown(spin->minimum()))) + spin->suffix()
               << spin->prefix() + show(int(shown(spin->maximum()))) + spin->suffix()
               << spin->text();
    } else if (auto* spin = qobject_cast<QDoubleSpinBox*>(box)) {
        values << spin->prefix() + locale.toString(shown(spin->minimum()), 'f', spin->decimals()) +
                      spin->suffix()
               << spin->prefix() + locale.toString(shown(spin->maximum()), 'f', spin->decimals()) +
                      spin->suffix()
               << spin->text();
    } else {
        values << box->text(); // date and time boxes: what they show
    }
    const QFontMetrics metrics = box->fontMetrics();
    for (const QString& v : values) {
        const int w = metrics.horizontalAdvance(v);
        if (w > fit.needed) {
            fit.needed = w;
            fit.text = v;
        }
    }
    if (fit.text.isEmpty())
        return Fit();
    // The line edit inside keeps a small margin of its own on either side.
    const QLineEdit* edit = box->findChild<QLineEdit*>();
    fit.available = edit ? edit->contentsRect().width() - 4 : box->contentsRect().width();
    return fit;
}

// A combo box shows its current item only, but any item may become current.
Fit comboBoxFit(QComboBox* box)
{
    Fit fit;
    const QFontMetrics metrics = box->fontMetrics();
    for (int i = 0; i < box->count(); ++i) {
        const QString item = box->itemText(i);
        int w = metrics.horizontalAdvance(item);
        if (!box->itemIcon(i).isNull())
            w += box->iconSize().width() + 4;
        if (w > fit.needed) {
            fit.needed = w;
            fit.text = item;
        }
    }
    if (fit.text.isEmpty())
        return Fit();
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    // The style draws the item text inside the edit field with a pixel to spare on each side.
    fit.available =
        box->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
            .width() -
        2;
    return fit;
}

// How much of a widget its parents let be seen. A scroll area may hide what lies below
// its viewport (the operator scrolls down for it), but nothing may stick out sideways:
// a value box cut at the right edge of its pane reads wrong. Only a page wider than its
// tab may be scrolled sideways as a whole, by the one scroll area that holds the page
// (no scroll area around it, a scroll bar to use), and only for widgets that its viewport
// shows whole once scrolled to. Any other parent must show the whole widget.
struct Clip {
    QWidget* by = nullptr;
    int width = 0;
    int visible = 0;
};

bool scrollsPageSideways(QAbstractScrollArea* area, QWidget* w, QWidget* root)
{
    if (!qobject_cast<QScrollArea*>(area) ||
        area->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ||
        w->width() > area->viewport()->width())
        return false;
    for (QWidget* a = area->parentWidget(); a && a != root; a = a->parentWidget()) {
        if (qobject_cast<QScrollArea*>(a))
            return false;
    }
    return true;
}

Clip clipOf(QWidget* w, QWidget* root)
{
    Clip clip;
    // The part of the widget still seen, in its own coordinates: [left, right], [top, bottom].
    int left = 0, right = w->width(), top = 0, bottom = w->height();
    bool scrolled = false;         // inside a scroll area: what lies below is scrolled to
    bool scrolledSideways = false; // inside a page scrolled sideways: so is what lies beside
    for (QWidget* a = w->parentWidget(); a; a = a->parentWidget()) {
        const QPoint offset = w->mapTo(a, QPoint(0, 0));
        auto* area = qobject_cast<QAbstractScrollArea*>(a->parentWidget());
        const bool viewport = area && area->viewport() == a;
        const int wasWidth = right - left, wasHeight = bottom - top;
        scrolledSideways = scrolledSideways || (viewport && right - left == w->width() &&
                                                scrollsPageSideways(area, w, root));
        if (!scrolledSideways) {
            left = qMax(left, -offset.x());
            right = qMin(right, a->width() - offset.x());
        }
        scrolled = scrolled || viewport;
        if (!scrolled) {
            top = qMax(top, -offset.y());
            bottom = qMin(bottom, a->height() - offset.y());
        }
        if (!clip.by && right - left < wasWidth) {
            clip = {a, w->width(), qMax(0, right - left)};
        } else if (!clip.by && bottom - top < wasHeight) {
            clip = {a, w->height(), qMax(0, bottom - top)};
        }
        if (a == root)
            break;
    }
    return clip;
}

struct Offender {
    QString name, kind, text;
    int needed = 0, available = 0;
    QStringList where;
};

// A cell editor has no name of its own: it goes by its table and column, so that each
// column of each table is listed apart.
QString nameOf(QWidget* w)
{
    if (!w->objectName().isEmpty())
        return w->objectName();
    QWidget* viewport = w->parentWidget();
    auto* table = qobject_cast<QTableWidget*>(viewport ? viewport->parentWidget() : nullptr);
    if (table && table->viewport() == viewport) {
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < table->columnCount(); ++column)
                if (table->cellWidget(row, column) == w)
                    return QStringLiteral("%1 column %2").arg(table->objectName()).arg(column);
    }
    return QString();
}

class FitCheck
{
public:
    std::map<QString, Offender> offenders;

    void checkVisible(QWidget* root, const QString& where)
    {
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* w : widgets) {
            if (!w->isVisible() || w->width() <= 0)
                continue;
            Fit fit;
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                fit = buttonFit(b);
            else if (auto* l = qobject_cast<QLabel*>(w))
                fit = labelFit(l);
            else if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
                fit = spinBoxFit(s);
            else if (auto* c = qobject_cast<QComboBox*>(w))
                fit = comboBoxFit(c);
            const bool measured = qobject_cast<QPushButton*>(w) || qobject_cast<QCheckBox*>(w) ||
                                  qobject_cast<QRadioButton*>(w) || qobject_cast<QLabel*>(w) ||
                                  qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w);
            if (measured && (fit.needed <= 0 || fit.needed <= fit.available)) {
                const Clip clip = clipOf(w, w->window());
                if (clip.by) {
                    fit.text = QStringLiteral("(cut by %1 %2)")
                                   .arg(QLatin1String(clip.by->metaObject()->className()),
                                        clip.by->objectName());
                    fit.needed = clip.width;
                    fit.available = clip.visible;
                }
            }
            if (fit.needed <= 0 || fit.needed <= fit.available)
                continue;
            const QString name = nameOf(w);
            const QString key = name + QLatin1Char('|') + w->metaObject()->className() +
                                QLatin1Char('|') + fit.text;
            Offender& o = offenders[key];
            o.name = name;
            o.kind = QLatin1String(w->metaObject()->className());
            o.text = fit.text;
            o.needed = qMax(o.needed, fit.needed);
            o.available = o.where.isEmpty() ? fit.available : qMin(o.available, fit.available);
            if (o.where.size() < 3)
                o.where << where;
            else if (o.where.size() == 3)
                o.where << QStringLiteral("...");
        }
    }

    // Shows every page of every tab and stacked widget under root in turn and
    // checks what is visible then.
    void walk(QWidget* root, const QString& where)
    {
        settle(root);
        checkVisible(root, where);
        const QList<QWidget*> all = root->findChildren<QWidget*>();
        for (QWidget* container : all) {
            auto* stack = qobject_cast<QStackedWidget*>(container);
            auto* tabs = qobject_cast<QTabWidget*>(container);
            if (!stack && !tabs)
                continue;
            if (stack && qobject_cast<QTabWidget*>(stack->parentWidget()))
                continue; // a tab widget's own stack: walked through its tabs
            if (container->isHidden())
                continue;
            const int count = stack ? stack->count() : tabs->count();
            const int current = stack ? stack->currentIndex() : tabs->currentIndex();
            for (int i = 0; i < count; ++i) {
                if (tabs && !tabs->isTabEnabled(i))
                    continue;
                showAncestors(container, root);
                QWidget* page = stack ? stack->widget(i) : tabs->widget(i);
                if (stack)
                    stack->setCurrentIndex(i);
                else
                    tabs->setCurrentIndex(i);
                settle(root);
                checkVisible(page, where + QStringLiteral(" / ") + container->objectName() +
                                       QStringLiteral("[%1]").arg(i));
            }
            if (stack)
                stack->setCurrentIndex(current);
            else
                tabs->setCurrentIndex(current);
        }
        settle(root);
    }

    int count() const { return int(offenders.size()); }

    QString report() const
    {
        QStringList lines;
        for (const auto& entry : offenders) {
            const Offender& o = entry.second;
            lines << QStringLiteral("%1 (%2) \"%3\": needs %4 px, has %5 px; in %6")
                         .arg(o.name, o.kind, o.text)
                         .arg(o.needed)
                         .arg(o.available)
                         .arg(o.where.join(QStringLiteral("; ")));
        }
        return lines.join(QLatin1Char('\n'));
    }

private:
    static void settle(QWidget* root)
    {
        QCoreApplication::processEvents();
        (void)root;
    }

    // Makes the pages that hold a container current, so that it can be seen.
    static void showAncestors(QWidget* widget, QWidget* root)
    {
        for (QWidget* w = widget; w && w != root; w = w->parentWidget()) {
            QWidget* parent = w->parentWidget();
            auto* stack = qobject_cast<QStackedWidget*>(parent);
            if (stack && stack->indexOf(w) >= 0) {
                if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
                    tabs->setCurrentWidget(w);
                else
                    stack->setCurrentWidget(w);
            }
        }
    }
};

} // namespace

class TestWidgetFit : public QObject
{
    Q_OBJECT

    WarningGuard guard;

    static void chooseLanguage(MainWindow& window, bool english)
    {
        window
            .findChild<QRadioButton*>(english ? QStringLiteral("radioButtonLanguageEn")
                                              : QStringLiteral("radioButtonLanguageRus"))
            ->click();
    }

    static void showModel(MainWindow& window, quint16 code, const QString& user, quint16 map)
    {
        command.userName = user;
        window.setDeviceModel(code);
        command.registerMap = map;
        window.rebuildDeviceUi();
    }

private slots:
    void initTestCase()
    {
        guard.install();
        QVERIFY2(QFontDatabase().families().contains(QStringLiteral("DejaVu Sans")),
                 "DejaVu Sans is not installed (fonts-dejavu-core): run scripts/setup");
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(9);
        QApplication::setFont(font);
    }

    void init()
    {
        apptest::resetCommand();
        apptest::removeIni();
    }

    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        apptest::resetCommand();
        QIRO_CHECK_WARNINGS(guard);
    }

    void cleanupTestCase() { apptest::removeIni(); }

    void everyPageFits_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Russian") << false;
        QTest::newRow("English") << true;
    }
    void everyPageFits()
    {
        QFETCH(bool, english);
        const QString language = english ? QStringLiteral("en") : QStringLiteral("ru");
        FitCheck check;
        MainWindow window;
        window.show();
        chooseLanguage(window, english);
        check.walk(&window, language + QStringLiteral(" no device"));

        struct Model {
            quint16 code;
            const char* name;
        };
        const Model models[] = {{ModelT2, "T2"},
                                {ModelT6, "T6"},
                                {ModelT6M, "T6 Max"},
                                {ModelBootloader, "bootloader"}};
        // Every level with each layout is many rebuilds; the level and the layout change
        // different widgets, so every level is seen with one layout and Admin with both.
        struct Session {
            const char* user;
            quint16 map;
        };
        const Session sessions[] = {{"User", ClassicMap},
                                    {"Admin", ClassicMap},
                                    {"Admin", ExtendedMap},
                                    {"Dolen", ExtendedMap}};
        for (const Model& model : models) {
            for (const Session& session : sessions) {
                showModel(window, model.code, QLatin1String(session.user), session.map);
                check.walk(&window,
                           QStringLiteral("%1 %2 %3 %4")
                               .arg(language, QLatin1String(model.name),
                                    QLatin1String(session.user),
                                    session.map == ClassicMap ? QStringLiteral("classic")
                                                              : QStringLiteral("extended")));
            }
        }

        // The dialogs, over the window as the program opens them.
        {
            Connect_com_port dialog(&window);
            dialog.show();
            check.walk(&dialog, language + QStringLiteral(" connection dialog"));
        }
        {
            Reference dialog(&window);
            dialog.show();
            check.walk(&dialog, language + QStringLiteral(" about box"));
        }
        for (int page = 0; page < 2; ++page) {
            AuthorizationWindow dialog(&window, page);
            dialog.show();
            check.walk(&dialog, language + QStringLiteral(" login page %1").arg(page));
        }

        // The whole list, for the one who mends the forms (a failure message is cut short).
        if (!check.offenders.empty()) {
            const QByteArray list = check.report().toUtf8();
            std::fprintf(stderr, "Cut widgets (%s):\n%s\n", qPrintable(language), list.constData());
            QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/cut_widgets_") +
                       language + QStringLiteral(".txt"));
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                file.write(list + '\n');
        }
        QVERIFY2(
            check.count() == 0,
            qPrintable(QStringLiteral("%1 widget(s) cut:\n").arg(check.count()) + check.report()));
    }

    // The cells of a correction table are editors without names of their own; a column
    // too narrow for its longest value is found and named all the same.
    void narrowTableColumnIsFound()
    {
        MainWindow window;
        window.show();
        chooseLanguage(window, false);
        showModel(window, ModelT6M, QStringLiteral("Dolen"), ExtendedMap);
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        QVERIFY(tabs);
        auto* page = window.findChild<QWidget*>(QStringLiteral("DeviceSetting_4_Window"));
        QVERIFY(page);
        tabs->setCurrentIndex(5); // the production host of the channel set-up page
        auto* table = page->findChild<QTableWidget*>(QStringLiteral("myTableSpan"));
        QVERIFY(table);
        FitCheck check;
        check.walk(page, QStringLiteral("wide"));
        QVERIFY2(check.offenders.empty(), qPrintable(check.report()));
        table->setColumnWidth(1, 30);
        check.walk(page, QStringLiteral("narrow"));
        QVERIFY2(check.report().contains(QStringLiteral("myTableSpan column 1 (QDoubleSpinBox)")),
                 qPrintable(check.report()));
    }

    // Tabs 0 and 1 as the operator sees them, saved for review.
    void screenshots_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Russian") << false;
        QTest::newRow("English") << true;
    }
    void screenshots()
    {
        QFETCH(bool, english);
        MainWindow window;
        window.show();
        chooseLanguage(window, english);
        showModel(window, ModelT6, QStringLiteral("Admin"), ExtendedMap);
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        QVERIFY(tabs);
        for (int tab = 0; tab < 2; ++tab) {
            tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            const QString path = QCoreApplication::applicationDirPath() +
                                 QStringLiteral("/screenshot_tab%1_%2.png")
                                     .arg(tab)
                                     .arg(english ? QStringLiteral("en") : QStringLiteral("ru"));
            QVERIFY2(window.grab().save(path), qPrintable(path));
        }
    }
};

QTEST_MAIN(TestWidgetFit)
#include "tst_widgetfit.moc"
