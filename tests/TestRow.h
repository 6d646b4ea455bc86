#pragma once

#include <QTest>

namespace support {

// One data row on one line: Row("name", a, b, c).
template<typename... T>
void Row(const char* name, const T&... values)
{
    (QTest::newRow(name) << ... << values);
}

} // namespace support
