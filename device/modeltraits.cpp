#include "modeltraits.h"

#include "types.h"

namespace
{

struct Row {
    quint16 model;
    ModelTraits traits;
};

using G = ModelGroup;
using S = StatusCodeStyle;
constexpr quint32 Flash = 0x08000000;

// clang-format off
// group, channels, off marker, s a tick, serial infix and digits, log record size,
// BLE, radio, LCD, status codes, flash base, classic zero tables, modular board
const Row rows[] = {
    {ModelT2,         {G::T2,         1, 170, 1.0,    "",   8, 48,  false, false, false, S::Fa3,    0,      false, false}},
    {ModelT2Classic,  {G::T2,         1, 7,   0.9375, "",   8, 48,  false, false, false, S::Fa3,    0,      false, false}},
    {ModelT6,         {G::T6,         4, 7,   1.0,    "",   8, 120, true,  false, false, S::Fa3Fa4, Flash,  false, false}},
    {ModelT6B,        {G::T6,         4, 170, 1.0,    "",   8, 120, true,  false, true,  S::Fa3Fa4, Flash,  false, false}},
    {ModelT6Mini,     {G::T6,         4, 170, 1.0,    "",   8, 120, true,  true,  true,  S::Fa3Fa4, Flash,  false, false}},
    {ModelT6M,        {G::T6Max,      6, 170, 1.0,    "6M", 7, 168, true,  true,  true,  S::Fa3,    Flash,  true,  true}},
    {ModelT6M4,       {G::T6Max,      4, 170, 1.0,    "6M", 7, 120, true,  true,  true,  S::Fa3,    Flash,  true,  true}},
    {ModelT8M,        {G::None,      10, 170, 1.0,    "",   8, 0,   true,  true,  true,  S::Fa3,    Flash,  true,  true}},
    {ModelBootloader, {G::Bootloader, 0, 0,   1.0,    "",   8, 0,   false, false, false, S::None,   0x5000, false, false}},
};
// clang-format on

} // namespace

const ModelTraits& traitsOf(quint16 model)
{
    for (const Row& row : rows)
        if (row.model == model)
            return row.traits;
    static const ModelTraits unknown;
    return unknown;
}

QString serialName(const QString& prefix, quint16 model, quint32 serial)
{
    const ModelTraits& t = traitsOf(model);
    return prefix + QLatin1String(t.serialInfix) +
           QStringLiteral("%1").arg(serial, t.serialDigits, 10, QLatin1Char('0'));
}
