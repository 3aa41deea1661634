// The program's Modbus RTU against an independent implementation: a libmodbus
// RTU server on the other end of a pseudo-terminal link.

#include "command.h"
#include "commandstate.h"

#include <QtTest>

#include <modbus/modbus.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace
{

// Two pseudo-terminals whose master sides are joined: whatever is written to
// one slave comes out of the other, like a null-modem cable.
class PtyLink
{
public:
    bool open()
    {
        char name[2][128];
        for (int i = 0; i < 2; ++i) {
            if (openpty(&master[i], &slave[i], name[i], nullptr, nullptr) != 0)
                return false;
            termios t;
            tcgetattr(slave[i], &t);
            cfmakeraw(&t);
            tcsetattr(slave[i], TCSANOW, &t);
            path[i] = QString::fromLatin1(name[i]);
        }
        relay = std::thread([this] { run(); });
        return true;
    }
    ~PtyLink()
    {
        stop = true;
        if (relay.joinable())
            relay.join();
        for (int i = 0; i < 2; ++i) {
            if (master[i] >= 0)
                ::close(master[i]);
            if (slave[i] >= 0)
                ::close(slave[i]);
        }
    }
    QString path[2];

private:
    void run()
    {
        pollfd fds[2] = {{master[0], POLLIN, 0}, {master[1], POLLIN, 0}};
        char buffer[512];
        while (!stop) {
            if (poll(fds, 2, 20) <= 0)
                continue;
            for (int i = 0; i < 2; ++i) {
                if (!(fds[i].revents & POLLIN))
                    continue;
                const ssize_t n = ::read(master[i], buffer, sizeof buffer);
                if (n > 0 && ::write(master[1 - i], buffer, size_t(n)) != n)
                    return;
            }
        }
    }
    int master[2] = {-1, -1};
    int slave[2] = {-1, -1};
    std::thread relay;
    std::atomic<bool> stop{false};
};

constexpr int Slave = 247; // libmodbus takes addresses up to 247

} // namespace

class TestLibmodbusPeer : public QObject
{
    Q_OBJECT

    PtyLink link;
    modbus_t* server = nullptr;
    modbus_mapping_t* map = nullptr;
    std::thread serving;
    std::atomic<bool> stop{false};

private slots:
    void initTestCase()
    {
        QVERIFY(link.open());
        server = modbus_new_rtu(link.path[1].toLatin1().constData(), 115200, 'N', 8, 1);
        QVERIFY(server);
        modbus_set_slave(server, Slave);
        QVERIFY(modbus_connect(server) == 0);
        modbus_set_indication_timeout(server, 0, 100000);
        map = modbus_mapping_new(0, 0, 0x10000, 0x10000);
        QVERIFY(map);
        serving = std::thread([this] {
            uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
            while (!stop) {
                const int n = modbus_receive(server, query);
                if (n > 0)
                    modbus_reply(server, query, n, map);
            }
        });
        command.serialPort.setPortName(link.path[0]);
        command.serialPort.setBaudRate(115200);
        QVERIFY(command.serialPort.open(QIODevice::ReadWrite));
        command.connected = 1;
        command.modbusAddress = Slave;
        command.registerMap = ExtendedMap;
    }

    void cleanupTestCase()
    {
        stop = true;
        serving.join();
        modbus_close(server);
        modbus_free(server);
        modbus_mapping_free(map);
        closeProgramPort();
        command.modbusAddress = 255;
    }

    void init() { clearImage(); }

    // libmodbus does not resynchronise after the detector's wake-up preamble
    // (five bytes of the frame sent alone): it never answers the frame that
    // follows. The T6 sends no preamble, so these exchanges run as a T6.
    void holdingRegisters()
    {
        command.modelCode = ModelT6;
        layoutTold();
        const int base = 0x1000; // page 1
        map->tab_registers[base + 258] = 1;
        map->tab_registers[base + 259] = 0x0025;
        map->tab_registers[base + 264] = 0;     // limit1 = 12.5: low half
        map->tab_registers[base + 265] = 16712; // high half
        QCOMPARE(int(command.transact(3, 1, 258, 9)), int(ResultOk));
        QCOMPARE(command.extendedChannels[1].channelPage, quint16(1));
        QCOMPARE(command.extendedChannels[1].format, quint16(0x0025));
        QCOMPARE(command.extendedChannels[1].limit1, 12.5f);

        command.extendedChannels[2].limit2 = -0.75f;
        QCOMPARE(int(command.transact(16, 2, 266, 2)), int(ResultOk));
        quint32 bits = quint32(map->tab_registers[0x2000 + 266]) |
                       (quint32(map->tab_registers[0x2000 + 267]) << 16);
        float value;
        memcpy(&value, &bits, 4);
        QCOMPARE(value, -0.75f);

        command.extendedDevice.pwmSound = 4321;
        QCOMPARE(int(command.transact(16, DevicePage, 512, 1)), int(ResultOk));
        QCOMPARE(int(map->tab_registers[0xA000 + 512]), 4321);
    }

    void inputRegisters()
    {
        command.modelCode = ModelT6;
        layoutTold();
        map->tab_input_registers[0xA000 + RegModelCode] = 421;
        QCOMPARE(int(command.transact(4, DevicePage, RegModelCode, 1)), int(ResultOk));
        QCOMPARE(int(command.modelCode), 421);
        command.modelCode = ModelT6;
        layoutTold();
        const float measured = 20.9f;
        quint32 bits;
        memcpy(&bits, &measured, 4);
        map->tab_input_registers[0x3000 + 45] = quint16(bits & 0xFFFF);
        map->tab_input_registers[0x3000 + 46] = quint16(bits >> 16);
        QCOMPARE(int(command.transact(4, 3, 32, 28)), int(ResultOk));
        QCOMPARE(command.extendedChannels[3].measuredValue, measured);
    }

    // libmodbus answers a register past its table with exception 2.
    void exceptionFromThePeer()
    {
        command.modelCode = ModelT6;
        layoutTold();
        modbus_mapping_t* small = modbus_mapping_new(0, 0, 10, 10);
        modbus_mapping_t* full = map;
        map = small;
        const TransactionResult r = command.transact(3, 1, 258, 1);
        map = full;
        modbus_mapping_free(small);
        QCOMPARE(int(r), int(ResultIllegalAddress));
    }
};

QTEST_GUILESS_MAIN(TestLibmodbusPeer)
#include "test_libmodbus_peer.moc"
