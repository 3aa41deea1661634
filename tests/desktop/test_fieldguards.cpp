// The wheel guard of the pages and the read-only form of a field.

#include "fieldguards.h"
#include "wheel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

#include <memory>

namespace
{

// A page taller than its scroll area: boxes between tall spacers.
struct Page {
    QWidget window;
    QScrollArea* area;
    QSpinBox* spin;
    QDoubleSpinBox* doubleSpin;
    QDateTimeEdit* dateTime;
    QComboBox* combo;

    Page()
    {
        area = new QScrollArea(&window);
        auto* contents = new QWidget;
        auto* layout = new QVBoxLayout(contents);
        spin = new QSpinBox;
        spin->setRange(0, 100);
        spin->setValue(50);
        doubleSpin = new QDoubleSpinBox;
        doubleSpin->setRange(0, 100);
        doubleSpin->setValue(10);
        dateTime = new QDateTimeEdit(QDateTime(QDate(2026, 6, 1), QTime(12, 0), Qt::UTC));
        combo = new QComboBox;
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        combo->setCurrentIndex(1);
        for (QWidget* w : {static_cast<QWidget*>(spin), static_cast<QWidget*>(doubleSpin),
                           static_cast<QWidget*>(dateTime), static_cast<QWidget*>(combo)}) {
            layout->addSpacing(300);
            layout->addWidget(w);
        }
        layout->addSpacing(300);
        area->setWidget(contents);
        area->resize(300, 400);
        window.resize(300, 400);
        window.show();
        QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
    }

    QList<QWidget*> boxes() const { return {spin, doubleSpin, dateTime, combo}; }
};

QString valueOf(QWidget* box)
{
    if (auto* combo = qobject_cast<QComboBox*>(box))
        return QString::number(combo->currentIndex());
    return qobject_cast<QAbstractSpinBox*>(box)->text();
}

} // namespace

class TestFieldGuards : public QObject
{
    Q_OBJECT

private slots:
    void unfocusedBoxPassesTheWheelToThePage_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("spin box") << 0;
        QTest::newRow("double spin box") << 1;
        QTest::newRow("date-time edit") << 2;
        QTest::newRow("combo box") << 3;
    }

    void unfocusedBoxPassesTheWheelToThePage()
    {
        QFETCH(int, which);
        Page page;
        PageGuard::install(&page.window);
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        QWidget* box = page.boxes()[which];
        QScrollBar* bar = page.area->verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        const int scrolled = bar->value();
        QVERIFY(scrolled > 0);
        const QString value = valueOf(box);

        turnWheel(box, 120);
        QCOMPARE(valueOf(box), value);
        QVERIFY2(bar->value() < scrolled, "the page did not scroll");
        QVERIFY2(!box->hasFocus(), "the wheel gave the box the focus");
        QCOMPARE(box->focusPolicy(), Qt::StrongFocus);

        // Clicked, the box has the focus and takes the wheel; the page stays.
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier,
                          QPoint(box->width() / 4, box->height() / 2));
        if (auto* combo = qobject_cast<QComboBox*>(box))
            combo->hidePopup();
        QVERIFY(box->hasFocus());
        const int atClick = bar->value();
        turnWheel(box, 120);
        QVERIFY(valueOf(box) != value);
        QCOMPARE(bar->value(), atClick);
    }

    void focusByTabTakesTheWheel()
    {
        Page page;
        PageGuard::install(&page.window);
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        page.spin->setFocus(Qt::TabFocusReason);
        turnWheel(page.spin, -120);
        QCOMPARE(page.spin->value(), 49);
    }

    void guardOfAFocusedReadOnlyBoxScrollsThePage()
    {
        Page page;
        PageGuard::install(&page.window);
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        setFieldEditable(page.spin, false);
        page.spin->setFocus(Qt::MouseFocusReason);
        QScrollBar* bar = page.area->verticalScrollBar();
        bar->setValue(bar->maximum() / 2);
        const int scrolled = bar->value();
        turnWheel(page.spin, 120);
        QCOMPARE(page.spin->value(), 50);
        QVERIFY(bar->value() < scrolled);
    }

    void boxAddedAfterwardsIsGuardedByASecondInstall()
    {
        Page page;
        PageGuard::install(&page.window);
        auto* late = new QSpinBox(page.area->widget());
        late->setValue(5);
        PageGuard::install(&page.window);
        QCOMPARE(page.window.findChildren<PageGuard*>().size(), 1);
        QVERIFY(QTest::qWaitForWindowActive(&page.window));
        late->show();
        turnWheel(late, 120);
        QCOMPARE(late->value(), 5);
    }

    // A checkable group box is a channel's on/off switch: the space bar that a
    // read-only field in it leaves unused must not toggle it.
    void spaceInAFieldLeavesItsGroupAlone()
    {
        QWidget window;
        auto* group = new QGroupBox(QStringLiteral("CO"), &window);
        group->setCheckable(true);
        group->setChecked(true);
        auto* field = new QLineEdit(QStringLiteral("SN42"), group);
        setFieldEditable(field, false);
        PageGuard::install(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_Space);
        QVERIFY(group->isChecked());
        QCOMPARE(field->text(), QStringLiteral("SN42"));
        // Its own check box, focused, still toggles with the space bar.
        group->setFocus(Qt::TabFocusReason);
        QTest::keyClick(group, Qt::Key_Space);
        QVERIFY(!group->isChecked());
    }

    void readOnlyFieldShowsItsValueAndTakesNoEdit_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("spin box") << "spin";
        QTest::newRow("line edit") << "line";
        QTest::newRow("combo box") << "combo";
        QTest::newRow("check box") << "check";
    }

    void readOnlyFieldShowsItsValueAndTakesNoEdit()
    {
        QFETCH(QString, kind);
        QWidget window;
        std::unique_ptr<QWidget> owner;
        QWidget* field = nullptr;
        auto text = [&]() -> QString {
            if (auto* s = qobject_cast<QSpinBox*>(field))
                return s->text();
            if (auto* l = qobject_cast<QLineEdit*>(field))
                return l->text();
            if (auto* c = qobject_cast<QComboBox*>(field))
                return c->currentText();
            return QString::number(qobject_cast<QCheckBox*>(field)->checkState());
        };
        if (kind == QLatin1String("spin")) {
            auto* s = new QSpinBox(&window);
            s->setValue(42);
            field = s;
        } else if (kind == QLatin1String("line")) {
            field = new QLineEdit(QStringLiteral("SN42"), &window);
        } else if (kind == QLatin1String("combo")) {
            auto* c = new QComboBox(&window);
            c->addItems({QStringLiteral("a"), QStringLiteral("b")});
            field = c;
        } else {
            field = new QCheckBox(QStringLiteral("x"), &window);
        }
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QString shown = text();
        setFieldEditable(field, false);
        QVERIFY(!fieldEditable(field));
        QCOMPARE(text(), shown);
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier,
                          QPoint(field->width() / 4, field->height() / 2));
        if (auto* c = qobject_cast<QComboBox*>(field))
            c->hidePopup();
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field, Qt::Key_Up);
        QTest::keyClick(field, Qt::Key_Down);
        QTest::keyClick(field, Qt::Key_Space);
        QTest::keyClicks(field, QStringLiteral("7"));
        QCOMPARE(text(), shown);

        setFieldEditable(field, true);
        QVERIFY(fieldEditable(field));
    }

    void spinBoxGetsItsArrowsBack()
    {
        QSpinBox arrows;
        QSpinBox none;
        none.setButtonSymbols(QAbstractSpinBox::NoButtons);
        for (QSpinBox* box : {&arrows, &none}) {
            const auto form = box->buttonSymbols();
            setFieldEditable(box, false);
            QCOMPARE(box->buttonSymbols(), QAbstractSpinBox::NoButtons);
            QVERIFY(box->isReadOnly());
            setFieldEditable(box, false);
            setFieldEditable(box, true);
            QCOMPARE(box->buttonSymbols(), form);
            QVERIFY(!box->isReadOnly());
        }
    }
};

QTEST_MAIN(TestFieldGuards)
#include "test_fieldguards.moc"
