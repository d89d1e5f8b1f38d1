#pragma once

#include <clocale>
#include <string>

// Switches the C library to a German desktop's locale (decimal comma) for
// its lifetime, as QApplication does at start on such a desktop.
class CGermanDesktop
{
public:
    CGermanDesktop()
        : m_before(std::setlocale(LC_ALL, nullptr))
        , m_active(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr)
    {
    }
    ~CGermanDesktop() { std::setlocale(LC_ALL, m_before.c_str()); }
    CGermanDesktop(const CGermanDesktop &) = delete;
    CGermanDesktop &operator=(const CGermanDesktop &) = delete;
    // False when the locale is not installed (tools/install-deps.sh adds it).
    bool Active() const { return m_active; }

private:
    std::string m_before;
    bool m_active;
};
