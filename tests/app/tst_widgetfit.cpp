// Every text and every value fits the widget that shows it: all pages of the
// main window (every tab, every stacked page, after each rebuild for a model of
// each group, each access level, both register layouts and both languages) and
// every dialog, measured with a fixed DejaVu Sans font. Pages added later are
// walked the same way without changes here.
//
// Also leaves screenshots of every tab, inner tab and dialog at each access level in
// both languages in screenshots/ next to the test program, for a reviewer to look at.

#include "apptest.h"
#include "authorizationwindow.h"
#include "calibration_channel.h"
#include "calibration_channel_chart.h"
#include "channelpage.h"
#include "connect_com_port.h"
#include "devicesetting_1_window.h"
#include "mainwindow.h"
#include "progress.h"
#include "reference.h"
#include "warningguard.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QtTest>

#include <cstdio>
#include <cstring>
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

// The line edit of a spin box or an editable combo box is measured with its box.
bool inBox(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent);
}

QString withoutMnemonics(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

// What a widget shows and how much room it has for it; needed 0: nothing to check.
// The room is measured across, or (tall) from top to bottom.
struct Fit {
    QString text;
    int needed = 0;
    int available = 0;
    bool tall = false;
};

// The height of the text's lines, as the widgets lay them out.
int linesHeight(const QFontMetrics& metrics, const QString& text)
{
    return metrics.size(0, text).height();
}

Fit tallFit(const QString& text, int needed, int available)
{
    Fit fit;
    fit.text = text;
    fit.needed = needed;
    fit.available = available;
    fit.tall = true;
    return fit;
}

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

// Where a line edit draws its text: inside its frame and text margins, with the two
// pixels that QLineEdit keeps free on either side; it centres the line in that height
// and clips it there.
QRect lineEditTextRect(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    QRect r = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    r = r.marginsRemoved(edit->textMargins());
    return r.adjusted(2, 0, -2, 0);
}

// A line edit shows what it holds; one limited to a few characters must show that many
// digits too, the longest value it takes (serial numbers, formulas, keys).
Fit lineEditFit(QLineEdit* edit)
{
    Fit fit;
    const QFontMetrics metrics = edit->fontMetrics();
    QString shown = edit->displayText();
    if (edit->maxLength() < 1000) {
        const QString longest(edit->maxLength(), QLatin1Char('0'));
        if (metrics.horizontalAdvance(longest) > metrics.horizontalAdvance(shown))
            shown = longest;
    }
    if (shown.isEmpty())
        return fit;
    fit.text = shown;
    fit.needed = metrics.horizontalAdvance(shown);
    fit.available = lineEditTextRect(edit).width();
    return fit;
}

// Each tab's title whole: a tab bar narrower than its tabs elides their titles or hides
// some of them behind its scroll buttons.
Fit tabBarFit(QTabBar* bar)
{
    Fit fit;
    QStringList titles;
    for (int i = 0; i < bar->count(); ++i)
        if (bar->isTabVisible(i))
            titles << bar->tabText(i);
    if (titles.isEmpty())
        return fit;
    fit.text = titles.join(QStringLiteral(" | "));
    const bool across =
        bar->shape() == QTabBar::RoundedNorth || bar->shape() == QTabBar::RoundedSouth ||
        bar->shape() == QTabBar::TriangularNorth || bar->shape() == QTabBar::TriangularSouth;
    fit.needed = across ? bar->sizeHint().width() : bar->sizeHint().height();
    fit.available = across ? bar->width() : bar->height();
    return fit;
}

QStyleOptionGroupBox groupBoxOption(QGroupBox* box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = Qt::Alignment(box->alignment());
    option.subControls = QStyle::SC_GroupBoxFrame;
    option.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    if (box->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (!box->title().isEmpty())
        option.subControls |= QStyle::SC_GroupBoxLabel;
    return option;
}

// A group box's title (and its check box) inside the box.
Fit groupBoxFit(QGroupBox* box)
{
    Fit fit;
    fit.text = withoutMnemonics(box->title());
    if (fit.text.isEmpty())
        return fit;
    const QStyleOptionGroupBox option = groupBoxOption(box);
    const QRect label =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    QRect whole = label;
    if (box->isCheckable())
        whole |= box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                              QStyle::SC_GroupBoxCheckBox, box);
    // The style places the title at its own size, whatever room the box has.
    fit.needed = whole.left() + box->fontMetrics().horizontalAdvance(fit.text) +
                 (whole.width() - label.width()) + 2;
    fit.available = box->width();
    return fit;
}

// The same widgets from top to bottom: their text's lines must fit the part of them
// that draws text. A row squashed by its layout leaves its boxes a sliver each.
Fit heightFit(QWidget* w)
{
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        const QString text = withoutMnemonics(button->text());
        if (text.isEmpty())
            return Fit();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        QStyle::SubElement element = QStyle::SE_PushButtonContents;
        if (qobject_cast<QCheckBox*>(button))
            element = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton*>(button))
            element = QStyle::SE_RadioButtonContents;
        else if (!qobject_cast<QPushButton*>(button))
            return Fit();
        return tallFit(text, linesHeight(button->fontMetrics(), text),
                       button->style()->subElementRect(element, &option, button).height());
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (!label->pixmap(Qt::ReturnByValue).isNull())
            return Fit();
        const QString text = plainText(label->text());
        if (text.trimmed().isEmpty())
            return Fit();
        if (label->wordWrap())
            return tallFit(text, label->heightForWidth(label->width()), label->height());
        return tallFit(text, linesHeight(label->fontMetrics(), text),
                       label->contentsRect().height() - 2 * label->margin());
    }
    if (auto* box = qobject_cast<QAbstractSpinBox*>(w)) {
        const QLineEdit* edit = box->findChild<QLineEdit*>();
        if (!edit)
            return Fit();
        return tallFit(box->text().isEmpty() ? QStringLiteral("(a value)") : box->text(),
                       box->fontMetrics().height(), lineEditTextRect(edit).height());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (inBox(edit))
            return Fit(); // measured with its box
        return tallFit(edit->displayText().isEmpty() ? QStringLiteral("(a value)")
                                                     : edit->displayText(),
                       edit->fontMetrics().height(), lineEditTextRect(edit).height());
    }
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        if (box->count() == 0)
            return Fit();
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        option.frame = box->hasFrame();
        return tallFit(
            box->currentText().isEmpty() ? box->itemText(0) : box->currentText(),
            box->fontMetrics().height(),
            box->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                .height());
    }
    if (auto* bar = qobject_cast<QTabBar*>(w)) {
        int needed = 0;
        for (int i = 0; i < bar->count(); ++i)
            if (bar->isTabVisible(i))
                needed = qMax(needed, linesHeight(bar->fontMetrics(), bar->tabText(i)));
        return needed ? tallFit(bar->tabText(bar->currentIndex()), needed, bar->height()) : Fit();
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        if (box->title().isEmpty())
            return Fit();
        const QStyleOptionGroupBox option = groupBoxOption(box);
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, box);
        return tallFit(box->title(), label.bottom() + 1, box->height());
    }
    return Fit();
}

// A scroll area inside a page that scrolls already must show its whole contents: two
// scroll bars, one inside the other, leave the inner fields out of sight while the page
// seems to end (a channel pane of the sensor tab with half of its fields hidden).
Fit nestedScrollFit(QWidget* w)
{
    auto* area = qobject_cast<QScrollArea*>(w);
    if (!area || !area->widget())
        return Fit();
    bool nested = false;
    for (QWidget* a = area->parentWidget(); a && !nested; a = a->parentWidget())
        nested = qobject_cast<QScrollArea*>(a) != nullptr;
    if (!nested)
        return Fit();
    const QSize contents = area->widget()->size();
    const QSize shown = area->viewport()->size();
    if (contents.height() > shown.height())
        return tallFit(QStringLiteral("(scrolls inside a scrolled page)"), contents.height(),
                       shown.height());
    Fit fit;
    fit.text = QStringLiteral("(scrolls inside a scrolled page)");
    fit.needed = contents.width();
    fit.available = shown.width();
    return fit;
}

// How much of a widget its parents let be seen. A scroll area may hide what lies below
// its viewport (the operator scrolls down for it), but nothing may stick out sideways:
// a value box cut at the right edge of its pane reads wrong, and no page of the fixed-size
// window needs sideways scrolling. Any other parent must show the whole widget.
struct Clip {
    QWidget* by = nullptr;
    int width = 0;
    int visible = 0;
    bool tall = false;
};

Clip clipOf(QWidget* w, QWidget* root)
{
    Clip clip;
    // The part of the widget still seen, in its own coordinates: [left, right], [top, bottom].
    int left = 0, right = w->width(), top = 0, bottom = w->height();
    bool scrolled = false; // inside a scroll area: what lies below is scrolled to
    for (QWidget* a = w->parentWidget(); a; a = a->parentWidget()) {
        const QPoint offset = w->mapTo(a, QPoint(0, 0));
        auto* area = qobject_cast<QAbstractScrollArea*>(a->parentWidget());
        const bool viewport = area && area->viewport() == a;
        const int wasWidth = right - left, wasHeight = bottom - top;
        left = qMax(left, -offset.x());
        right = qMin(right, a->width() - offset.x());
        scrolled = scrolled || viewport;
        if (!scrolled) {
            top = qMax(top, -offset.y());
            bottom = qMin(bottom, a->height() - offset.y());
        }
        if (!clip.by && right - left < wasWidth) {
            clip = {a, w->width(), qMax(0, right - left), false};
        } else if (!clip.by && bottom - top < wasHeight) {
            clip = {a, w->height(), qMax(0, bottom - top), true};
        }
        if (a == root)
            break;
    }
    return clip;
}

struct Offender {
    QString name, kind, text;
    int needed = 0, available = 0;
    bool tall = false;
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

// Makes the pages that hold a widget (below root) current, so that it can be seen.
void showAncestors(QWidget* widget, QWidget* root)
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
            else if (auto* e = qobject_cast<QLineEdit*>(w))
                fit = inBox(e) ? Fit() : lineEditFit(e);
            else if (auto* t = qobject_cast<QTabBar*>(w))
                fit = tabBarFit(t);
            else if (auto* g = qobject_cast<QGroupBox*>(w))
                fit = groupBoxFit(g);
            if (fit.needed <= 0 || fit.needed <= fit.available)
                fit = heightFit(w);
            if (fit.needed <= 0 || fit.needed <= fit.available)
                fit = nestedScrollFit(w);
            const bool measured = qobject_cast<QPushButton*>(w) || qobject_cast<QCheckBox*>(w) ||
                                  qobject_cast<QRadioButton*>(w) || qobject_cast<QLabel*>(w) ||
                                  qobject_cast<QAbstractSpinBox*>(w) ||
                                  qobject_cast<QComboBox*>(w) ||
                                  (qobject_cast<QLineEdit*>(w) && !inBox(w)) ||
                                  qobject_cast<QTabBar*>(w) || qobject_cast<QGroupBox*>(w);
            if (measured && (fit.needed <= 0 || fit.needed <= fit.available)) {
                const Clip clip = clipOf(w, w->window());
                if (clip.by) {
                    fit.text = QStringLiteral("(cut by %1 %2)")
                                   .arg(QLatin1String(clip.by->metaObject()->className()),
                                        clip.by->objectName());
                    fit.needed = clip.width;
                    fit.available = clip.visible;
                    fit.tall = clip.tall;
                }
            }
            if (fit.needed <= 0 || fit.needed <= fit.available)
                continue;
            const QString name = nameOf(w);
            const QString key = name + QLatin1Char('|') + w->metaObject()->className() +
                                QLatin1Char('|') + fit.text +
                                (fit.tall ? QStringLiteral("|tall") : QString());
            Offender& o = offenders[key];
            o.name = name;
            o.kind = QLatin1String(w->metaObject()->className());
            o.text = fit.text;
            o.tall = fit.tall;
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
            lines << QStringLiteral("%1 (%2) \"%3\": needs %4 px %5, has %6 px; in %7")
                         .arg(o.name, o.kind, o.text)
                         .arg(o.needed)
                         .arg(o.tall ? QStringLiteral("in height") : QStringLiteral("across"))
                         .arg(o.available)
                         .arg(o.where.join(QStringLiteral("; ")));
        }
        return lines.join(QLatin1Char('\n'));
    }

private:
    // A page shown for the first time lays itself out in more than one pass (a scroll
    // area sizes its contents once their layout has run): what the operator sees is the
    // state after them.
    static void settle(QWidget* root)
    {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
        (void)root;
    }
};

// An image as a typical detector holds it, so that the pages show real titles, units and
// values: CO and H2S cells in ppm, oxygen in %VOL, a catalytic CH4 cell in %LEL, then a
// module and a PID cell for the six-channel models.
void seedImage()
{
    struct Channel {
        const char* formula;
        quint16 kind;     // format bits 8-12
        quint16 unit;     // displayed and base unit
        quint16 decimals; // format bits 4-5 (bits 6-7 hold one more)
        double limits[4];
    };
    const Channel channels[] = {
        {"CO", 1u << 8, 0, 0, {20, 100, 200, 500}},  {"H2S", 1u << 8, 0, 1, {10, 20, 30, 100}},
        {"O2", 1u << 9, 3, 1, {19.5, 23.5, 18, 30}}, {"CH4", 1u << 12, 2, 1, {10, 20, 50, 100}},
        {"CO2", 1u << 11, 3, 2, {0.5, 1, 2, 5}},     {"VOC", 1u << 10, 0, 1, {50, 100, 200, 600}},
    };
    const quint16 scales[] = {1, 10, 100, 1000};
    for (int i = 0; i < ChannelSlots; ++i) {
        const Channel& c = channels[i % 6];
        const quint16 second = quint16(qMin(3, c.decimals + 1));
        const quint16 word = quint16(c.kind | format(c.unit, c.unit, c.decimals, second));
        // What both layouts hold alike.
        auto common = [&](auto& r) {
            r.channelPage = quint16(i);
            setFormat(r, word);
            r.sensorType = 1;
            qstrncpy(r.gasFormula, c.formula, sizeof r.gasFormula);
            r.molecularWeight = 28.01f;
            r.lelCoefficient = 1.0f;
            r.calibrationInterval = 180;
            r.adcCurrent = 12345;
            r.adcZeroPoint = 12000;
            r.adcSpanPoint = 23456;
        };
        ExtendedChannelRecord& e = command.extendedChannels[i];
        common(e);
        std::memcpy(e.sensorSerial, "SN123400", 8);
        e.channelFlags = 1u << 5;
        e.limit1 = float(c.limits[0]);
        e.limit2 = float(c.limits[1]);
        e.limit3 = float(c.limits[2]);
        e.limit4 = float(c.limits[3]);
        e.calibrationGas = float(c.limits[3] / 2);
        e.sensorTemperature = 23.5f;
        e.sensorHumidity = 45.0f;
        ClassicChannelRecord& r = command.classicChannels[i];
        common(r);
        r.limit1 = quint16(c.limits[0] * scales[second]);
        r.limit2 = quint16(c.limits[1] * scales[second]);
        r.limit3 = quint16(c.limits[2] * scales[second]);
        r.limit4 = quint16(c.limits[3] * scales[second]);
        r.calibrationGas = quint16(c.limits[3] / 2 * scales[second]);
    }
    // BLE and LoRa on, so that the production page shows the MAC and the LoRa EUI.
    const quint8 mac[6] = {0xD8, 0x3A, 0xDD, 0x0B, 0x1C, 0x2D};
    const quint8 eui[8] = {0x70, 0xB3, 0xD5, 0x7E, 0xD0, 0x0D, 0xDB, 0x8D};
    std::memcpy(command.bleMac, mac, sizeof mac);
    std::memcpy(command.loraId, eui, sizeof eui);
    command.extendedDevice.deviceFlags |= (1u << 10) | (1u << 15);
    command.extendedDevice.bumpTestInterval = 30;
    command.classicDevice.bumpTestInterval = 30;
}

// Where the screenshots are kept for review: beside the test program.
QString screenshotDir()
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    return dir;
}

void saveShot(QWidget* window, const QString& name)
{
    // As the operator sees it once the layouts have settled (a scroll area sizes its
    // contents only after their layout has run).
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
    const QString path = screenshotDir() + QLatin1Char('/') + name + QStringLiteral(".png");
    QVERIFY2(window->grab().save(path), qPrintable(path));
}

// The program's dialogs, each opened over the window as the program opens it and
// handed to visit(dialog, name), the name in words ("about box").
template <typename Visit> void forEachDialog(QWidget& window, Visit&& visit)
{
    {
        Connect_com_port dialog(&window);
        dialog.show();
        visit(&dialog, QStringLiteral("connection dialog"));
    }
    {
        Reference dialog(&window);
        dialog.show();
        visit(&dialog, QStringLiteral("about box"));
    }
    for (int page = 0; page < 2; ++page) {
        AuthorizationWindow dialog(&window, page);
        dialog.show();
        visit(&dialog, QStringLiteral("login page %1").arg(page));
    }
}

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
        seedImage();
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

        forEachDialog(window, [&](QWidget* dialog, const QString& name) {
            check.walk(dialog, language + QLatin1Char(' ') + name);
        });

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

    // The same from top to bottom: a calibration row squashed by its list leaves its button
    // and boxes a sliver each, and a box pushed half out of its pane is cut by it; both
    // are found, though each widget is as wide as its text.
    void squashedRowIsFound()
    {
        MainWindow window;
        window.show();
        chooseLanguage(window, false);
        showModel(window, ModelT6, QStringLiteral("Admin"), ExtendedMap);
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        QVERIFY(tabs);
        tabs->setCurrentIndex(2);
        auto* page = window.findChild<QWidget*>(QStringLiteral("Calibration"));
        QVERIFY(page);
        auto* host = page->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
        QVERIFY(host);
        FitCheck whole;
        whole.walk(page, QStringLiteral("whole"));
        QVERIFY2(whole.offenders.empty(), qPrintable(whole.report()));

        host->setFixedHeight(45);
        FitCheck squashed;
        squashed.walk(page, QStringLiteral("squashed"));
        const QString rows = squashed.report();
        QVERIFY2(rows.contains(QStringLiteral("pushButton (QPushButton) \"Открыть график\": needs "
                                              "17 px in height")),
                 qPrintable(rows));
        QVERIFY2(rows.contains(QStringLiteral("doubleSpinBoxChan_1 (QDoubleSpinBox)")),
                 qPrintable(rows));
        QVERIFY2(!rows.contains(QStringLiteral("across")), qPrintable(rows));

        tabs->setCurrentIndex(1);
        QWidget* pane = deviceSetting1Windows[0];
        QVERIFY(pane);
        auto* box = pane->findChild<QDoubleSpinBox*>(QStringLiteral("doubleSpinBoxLim_1"));
        QVERIFY(box);
        FitCheck shown;
        shown.walk(pane, QStringLiteral("shown"));
        QVERIFY2(shown.offenders.empty(), qPrintable(shown.report()));
        box->move(box->x(), box->parentWidget()->height() - box->height() / 2);
        FitCheck clipped;
        clipped.checkVisible(pane, QStringLiteral("clipped"));
        QVERIFY2(clipped.report().contains(QStringLiteral("doubleSpinBoxLim_1 (QDoubleSpinBox) "
                                                          "\"(cut by QWidget "
                                                          "scrollAreaWidgetContents)\"")),
                 qPrintable(clipped.report()));
        QVERIFY2(clipped.report().contains(QStringLiteral("in height")),
                 qPrintable(clipped.report()));
    }

    // The progress dialog of a download or an export shows its whole title: as wide as
    // the title in its font with room for the window icon and the close button.
    void progressDialogHoldsItsTitle_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Russian") << false;
        QTest::newRow("English") << true;
    }
    void progressDialogHoldsItsTitle()
    {
        QFETCH(bool, english);
        MainWindow window;
        window.show();
        chooseLanguage(window, english);
        std::unique_ptr<QProgressDialog> dialog(
            createProgressDialog(QStringLiteral("1 %"), QStringLiteral("Cancel"), 0, 100));
        QCOMPARE(dialog->windowTitle(),
                 english ? QStringLiteral("Please wait") : QStringLiteral("Пожалуйста подождите"));
        QVERIFY2(dialog->width() >=
                     dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 100,
                 qPrintable(QString::number(dialog->width())));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    }

    // A chart window opens inside the screen's free area, title bar included, also when
    // the main window stands low on the screen, and again after it was moved off it.
    void chartWindowOpensOnScreen()
    {
        MainWindow window;
        window.show();
        chooseLanguage(window, false);
        showModel(window, ModelT6, QStringLiteral("Admin"), ExtendedMap);
        const QRect area = window.screen()->availableGeometry();
        window.move(area.left(), area.bottom() - 100);
        QCoreApplication::processEvents();
        Calibration_Channel* row = calibrationChannelWidgets[0];
        QVERIFY(row);
        QWidget* chart = row->chartWindow();
        row->pushButton->click();
        QVERIFY(chart->isVisible());
        const QMargins titleBar(0, 30, 0, 0);
        QVERIFY2(area.contains(chart->geometry().marginsAdded(titleBar)),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(chart->x())
                                .arg(chart->y())
                                .arg(chart->width())
                                .arg(chart->height())));
        row->pushButton->click();
        QVERIFY(!chart->isVisible());
        chart->move(area.right() - 100, area.bottom() - 50);
        row->pushButton->click();
        QVERIFY(area.contains(chart->geometry().marginsAdded(titleBar)));
        row->pushButton->click();
    }

    // Every tab and every inner tab as the operator sees them, at each access level and in
    // both languages, with the whole contents of each scroll area that hides a part, and
    // the dialogs: saved beside the test program (screenshots/) for review.
    void screenshots_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Russian") << false;
        QTest::newRow("English") << true;
    }
    void screenshots()
    {
        QFETCH(bool, english);
        const QString language = english ? QStringLiteral("en") : QStringLiteral("ru");
        MainWindow window;
        window.show();
        chooseLanguage(window, english);
        struct Session {
            quint16 code;
            const char* model;
            const char* user;
            quint16 map = ExtendedMap;
        };
        const Session sessions[] = {{ModelT6, "T6", "User"},
                                    {ModelT6, "T6", "Admin"},
                                    {ModelT6, "T6", "Dolen"},
                                    {ModelT2, "T2", "Dolen"},
                                    {ModelT6M, "T6Max", "Dolen"},
                                    {ModelT6, "T6classic", "User", ClassicMap},
                                    {ModelT6, "T6classic", "Admin", ClassicMap},
                                    {ModelT6M, "T6Maxclassic", "Dolen", ClassicMap}};
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
        QVERIFY(tabs);
        for (const Session& session : sessions) {
            showModel(window, session.code, QLatin1String(session.user), session.map);
            const QString prefix =
                QStringLiteral("%1_%2_%3_")
                    .arg(language, QLatin1String(session.model), QLatin1String(session.user));
            for (int tab = 0; tab < tabs->count(); ++tab) {
                if (!tabs->isTabEnabled(tab))
                    continue;
                tabs->setCurrentIndex(tab);
                const QString name = prefix + QStringLiteral("tab%1").arg(tab);
                shootPage(&window, tabs->widget(tab), name);
            }
            tabs->setCurrentIndex(0);
        }
        forEachDialog(window, [&](QWidget* dialog, const QString& name) {
            saveShot(dialog, language + QLatin1Char('_') + QString(name).replace(' ', '_'));
        });
        {
            std::unique_ptr<QProgressDialog> dialog(
                createProgressDialog(QStringLiteral("50 %"), QStringLiteral("Cancel"), 0, 100));
            dialog->setValue(50);
            dialog->show();
            saveShot(dialog.get(), language + QStringLiteral("_progress_dialog"));
        }
        // The chart window of a calibration row, as the row opens it.
        showModel(window, ModelT6, QStringLiteral("Admin"), ExtendedMap);
        Calibration_Channel* row = calibrationChannelWidgets[0];
        QVERIFY(row);
        row->pushButton->click();
        saveShot(row->chartWindow(), language + QStringLiteral("_chart_window"));
        row->pushButton->click();
    }

private:
    // The page as shown, each of its inner tabs, and whatever its scroll areas hide.
    static void shootPage(QWidget* window, QWidget* page, const QString& name)
    {
        saveShot(window, name);
        shootScrolled(page, name);
        for (QTabWidget* inner : page->findChildren<QTabWidget*>()) {
            showAncestors(inner, page);
            QCoreApplication::processEvents();
            if (!inner->isVisible())
                continue;
            // Scrolled to, as the operator does to use its tabs.
            for (QWidget* a = inner->parentWidget(); a && a != page; a = a->parentWidget()) {
                if (auto* area = qobject_cast<QScrollArea*>(a)) {
                    area->ensureWidgetVisible(inner, 0, 0);
                    break;
                }
            }
            const int current = inner->currentIndex();
            for (int i = 0; i < inner->count(); ++i) {
                if (!inner->isTabEnabled(i) || i == current)
                    continue;
                inner->setCurrentIndex(i);
                const QString innerName =
                    name + QStringLiteral("_%1-%2").arg(inner->objectName()).arg(i);
                saveShot(window, innerName);
                shootScrolled(inner->widget(i), innerName);
            }
            inner->setCurrentIndex(current);
        }
    }

    static void shootScrolled(QWidget* page, const QString& name)
    {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
        for (QScrollArea* area : page->findChildren<QScrollArea*>()) {
            QWidget* contents = area->widget();
            if (!area->isVisible() || !contents)
                continue;
            if (contents->height() <= area->viewport()->height() &&
                contents->width() <= area->viewport()->width())
                continue;
            const QString path = screenshotDir() + QLatin1Char('/') + name +
                                 QStringLiteral("_%1_whole.png").arg(area->objectName());
            QVERIFY2(contents->grab().save(path), qPrintable(path));
        }
    }
};

QTEST_MAIN(TestWidgetFit)
#include "tst_widgetfit.moc"
