// The simulator against an independent Modbus RTU master (libmodbus): if libmodbus accepts its
// frames, CRCs and exception replies, the simulator speaks standard Modbus RTU.

#include "simdetector.h"

#include <QtTest>

#include <modbus.h>

#include <cerrno>
#include <memory>

namespace
{

struct ModbusDeleter {
    void operator()(modbus_t* ctx) const
    {
        modbus_close(ctx);
        modbus_free(ctx);
    }
};
using ModbusLink = std::unique_ptr<modbus_t, ModbusDeleter>;

// The detector's own default slave address is 255; libmodbus may refuse addresses above 247
// (the top of the standard unicast range).
int highestSlave()
{
    ModbusLink probe(modbus_new_rtu("/dev/null", 115200, 'N', 8, 1));
    if (probe && modbus_set_slave(probe.get(), 255) == 0)
        return 255;
    return 247;
}

int wireAddress(int page, int reg)
{
    return ((page & 0x0F) << 12) | reg;
}

constexpr int ClassicLayout = int(SimDetector::Layout::Classic);
constexpr int ExtendedLayout = int(SimDetector::Layout::Extended);

// A block of registers asked by a slave address: layout, slave, page, first register, count.
void addBlockColumns()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("slave");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("count");
}

} // namespace

class TstSimModbus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readHolding_data();
    void readHolding();
    void readInput_data();
    void readInput();
    void writeMultiple_data();
    void writeMultiple();
    void illegalAddress_data();
    void illegalAddress();

private:
    ModbusLink connectTo(const SimDetector& sim, int slave);
    ModbusLink start(SimDetector& sim, int layout, int model, int slave);
    int m_highSlave = 247;
};

void TstSimModbus::initTestCase()
{
    m_highSlave = highestSlave();
    qInfo("libmodbus %s: highest slave address accepted for RTU: %d", LIBMODBUS_VERSION_STRING,
          m_highSlave);
}

ModbusLink TstSimModbus::connectTo(const SimDetector& sim, int slave)
{
    const QByteArray path = sim.portPath().toLocal8Bit();
    ModbusLink ctx(modbus_new_rtu(path.constData(), 115200, 'N', 8, 1));
    if (!ctx)
        return ctx;
    if (slave < 0)
        slave = m_highSlave;
    if (modbus_set_slave(ctx.get(), slave) != 0 || modbus_connect(ctx.get()) != 0) {
        qWarning("libmodbus: %s", modbus_strerror(errno));
        ctx.reset();
    }
    return ctx;
}

// The simulator started as `layout` of `model`, libmodbus connected to it as `slave`.
ModbusLink TstSimModbus::start(SimDetector& sim, int layout, int model, int slave)
{
    sim.setProfile(SimDetector::Layout(layout), quint16(model));
    if (!sim.start()) {
        qWarning("simulator: %s", qPrintable(sim.errorString()));
        return ModbusLink();
    }
    return connectTo(sim, slave);
}

// slave -1 stands for the highest address libmodbus accepts.
void TstSimModbus::readHolding_data()
{
    addBlockColumns();
    QTest::newRow("classic channel block, slave 1") << ClassicLayout << 1 << 0 << 256 << 82;
    QTest::newRow("classic channel 9, high slave") << ClassicLayout << -1 << 9 << 330 << 8;
    QTest::newRow("classic device archive block") << ClassicLayout << -1 << 10 << 528 << 6;
    QTest::newRow("extended channel block") << ExtendedLayout << 1 << 4 << 258 << 55;
    QTest::newRow("extended tables, 60 registers") << ExtendedLayout << -1 << 2 << 336 << 60;
    QTest::newRow("extended device language") << ExtendedLayout << 1 << 10 << 1792 << 1;
}

void TstSimModbus::readHolding()
{
    QFETCH(int, layout);
    QFETCH(int, slave);
    QFETCH(int, page);
    QFETCH(int, reg);
    QFETCH(int, count);

    SimDetector sim;
    ModbusLink ctx = start(sim, layout, 404, slave);
    QVERIFY(ctx);
    for (int i = 0; i < count; ++i)
        sim.setHolding(page, reg + i, quint16(0x1000 * page + 7 * i + 1));
    // A neighbouring page with other values must not leak into the reply.
    for (int i = 0; i < count; ++i)
        sim.setHolding(page + 1, reg + i, 0xDEAD);

    QVector<quint16> got(count);
    QCOMPARE(modbus_read_registers(ctx.get(), wireAddress(page, reg), count, got.data()), count);
    for (int i = 0; i < count; ++i)
        QCOMPARE(got[i], quint16(0x1000 * page + 7 * i + 1));

    QCOMPARE(sim.countFrames(3, page, reg), 1);
    const SimRequest last = sim.requests().constLast();
    QCOMPARE(last.address, slave < 0 ? m_highSlave : slave);
    QCOMPARE(last.count, count);
}

void TstSimModbus::readInput_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("reg");
    QTest::addColumn<int>("count");

    QTest::newRow("classic fixed measurements") << ClassicLayout << 404 << 10 << 246 << 41;
    QTest::newRow("classic per-page channel") << ClassicLayout << 420 << 3 << 32 << 13;
    QTest::newRow("extended channel") << ExtendedLayout << 102 << 1 << 32 << 28;
    QTest::newRow("extended map probe") << ExtendedLayout << 102 << 10 << 2457 << 1;
}

void TstSimModbus::readInput()
{
    QFETCH(int, layout);
    QFETCH(int, model);
    QFETCH(int, page);
    QFETCH(int, reg);
    QFETCH(int, count);

    SimDetector sim;
    ModbusLink ctx = start(sim, layout, model, 1);
    QVERIFY(ctx);
    for (int i = 0; i < count; ++i)
        sim.setInput(page, reg + i, quint16(0xA000 + 3 * i));
    // Holding registers of the same numbers are a different store.
    for (int i = 0; i < count; ++i)
        sim.setHolding(page, reg + i, 0xBEEF);

    QVector<quint16> got(count);
    QCOMPARE(modbus_read_input_registers(ctx.get(), wireAddress(page, reg), count, got.data()),
             count);
    for (int i = 0; i < count; ++i)
        QCOMPARE(got[i], quint16(0xA000 + 3 * i));

    // The model code that setProfile put on the device page.
    quint16 code = 0;
    QCOMPARE(modbus_read_input_registers(ctx.get(), wireAddress(10, 16), 1, &code), 1);
    QCOMPARE(int(code), model);
}

void TstSimModbus::writeMultiple_data()
{
    addBlockColumns();
    QTest::newRow("classic clock and channel, slave 1") << ClassicLayout << 1 << 0 << 254 << 84;
    QTest::newRow("classic commit") << ClassicLayout << -1 << 10 << 576 << 1;
    QTest::newRow("extended channel flags") << ExtendedLayout << -1 << 7 << 548 << 5;
    QTest::newRow("extended device flags") << ExtendedLayout << 1 << 10 << 544 << 4;
}

void TstSimModbus::writeMultiple()
{
    QFETCH(int, layout);
    QFETCH(int, slave);
    QFETCH(int, page);
    QFETCH(int, reg);
    QFETCH(int, count);

    SimDetector sim;
    ModbusLink ctx = start(sim, layout, 404, slave);
    QVERIFY(ctx);
    QVector<quint16> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = quint16(0x8000 | (11 * i + page));
    QCOMPARE(modbus_write_registers(ctx.get(), wireAddress(page, reg), count, values.data()),
             count);

    for (int i = 0; i < count; ++i)
        QCOMPARE(sim.holding(page, reg + i), values[i]);
    QCOMPARE(sim.holding(page, reg + count), quint16(0));
    QCOMPARE(sim.countFrames(16, page, reg), 1);
    QCOMPARE(sim.requests().constLast().values(), values);

    // And the values read back the same way.
    QVector<quint16> back(count);
    if (SimDetector::Layout(layout) == SimDetector::Layout::Classic && reg == 576)
        return; // a command register, not readable
    const int readStart = reg == 254 && layout == int(SimDetector::Layout::Classic) ? 256 : reg;
    const int readCount = count - (readStart - reg);
    QCOMPARE(modbus_read_registers(ctx.get(), wireAddress(page, readStart), readCount, back.data()),
             readCount);
    for (int i = 0; i < readCount; ++i)
        QCOMPARE(back[i], values[readStart - reg + i]);
}

void TstSimModbus::illegalAddress_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("reg");

    QTest::newRow("classic UTC offset is write-only") << ClassicLayout << 3 << 0 << 254;
    QTest::newRow("classic commit is write-only") << ClassicLayout << 3 << 10 << 576;
    QTest::newRow("classic has no map probe") << ClassicLayout << 4 << 10 << 2457;
    QTest::newRow("classic write outside blocks") << ClassicLayout << 16 << 0 << 400;
    QTest::newRow("extended end marker 313") << ExtendedLayout << 3 << 0 << 313;
    QTest::newRow("extended input 38") << ExtendedLayout << 4 << 1 << 38;
}

void TstSimModbus::illegalAddress()
{
    QFETCH(int, layout);
    QFETCH(int, function);
    QFETCH(int, page);
    QFETCH(int, reg);

    SimDetector sim;
    ModbusLink ctx = start(sim, layout, 404, 1);
    QVERIFY(ctx);

    quint16 value = 0x5555;
    errno = 0;
    int rc = 0;
    if (function == 3)
        rc = modbus_read_registers(ctx.get(), wireAddress(page, reg), 1, &value);
    else if (function == 4)
        rc = modbus_read_input_registers(ctx.get(), wireAddress(page, reg), 1, &value);
    else
        rc = modbus_write_registers(ctx.get(), wireAddress(page, reg), 1, &value);
    QCOMPARE(rc, -1);
    QCOMPARE(errno, int(EMBXILADD));
    QCOMPARE(sim.requests().constLast().reply.at(1), char(function | 0x80));
    if (function == 16)
        QCOMPARE(sim.holding(page, reg), quint16(0)); // refused, so not stored
}

QTEST_GUILESS_MAIN(TstSimModbus)
#include "tst_simmodbus.moc"
