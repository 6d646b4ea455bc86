#pragma once

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

// A table-driven harness for the Windows build, where Qt Test is not available: each row a named case,
// each case a function that records what went wrong, and a closing line "N passed, N failed".
namespace harness {

class Check
{
public:
    template<class Got, class Want>
    void equal(const Got& got, const Want& want, const std::string& what)
    {
        if (got == want)
            return;
        std::ostringstream out;
        out << what << ": got " << Show(got) << ", want " << Show(want) << "; ";
        m_failures += out.str();
    }
    void that(bool condition, const std::string& what)
    {
        if (!condition)
            m_failures += what + "; ";
    }
    const std::string& failures() const { return m_failures; }

private:
    // Strings are shown with their bytes escaped, so that code-page faults are visible.
    static std::string Show(const std::string& text)
    {
        std::string out = "\"";
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F) {
                out += c;
            } else {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", byte);
                out += hex;
            }
        }
        return out + "\"";
    }
    static std::string Show(const char* text) { return Show(std::string(text)); }
    template<class T>
    static std::string Show(const T& value)
    {
        std::ostringstream out;
        out << value;
        return out.str();
    }

    std::string m_failures;
};

struct Case
{
    std::string name;
    std::function<void(Check&)> run;
};

// Runs the cases whose name starts with filter (all when empty); returns the process exit code.
inline int Run(const std::vector<Case>& cases, const std::string& filter = {})
{
    int passed = 0;
    int failed = 0;
    for (const Case& row : cases) {
        if (row.name.compare(0, filter.size(), filter) != 0)
            continue;
        Check check;
        row.run(check);
        if (check.failures().empty()) {
            ++passed;
            std::printf("PASS   %s\n", row.name.c_str());
        } else {
            ++failed;
            std::printf("FAIL!  %s: %s\n", row.name.c_str(), check.failures().c_str());
        }
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}

} // namespace harness
