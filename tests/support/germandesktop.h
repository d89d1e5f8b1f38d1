#pragma once

#include <QLocale>

#include <clocale>
#include <string>

// A desktop's locale for its lifetime: the C library's (as QApplication sets
// it at start) and Qt's default locale, both put back afterwards.
class CDesktopLocale
{
public:
    CDesktopLocale(const char *cName, const QLocale &qt)
        : m_before(std::setlocale(LC_ALL, nullptr))
        , m_active(std::setlocale(LC_ALL, cName) != nullptr)
    {
        QLocale::setDefault(qt);
    }
    ~CDesktopLocale()
    {
        std::setlocale(LC_ALL, m_before.c_str());
        QLocale::setDefault(m_qtBefore);
    }
    CDesktopLocale(const CDesktopLocale &) = delete;
    CDesktopLocale &operator=(const CDesktopLocale &) = delete;
    // False when the C library does not have the locale (tools/install-deps.sh
    // adds de_DE); Qt's side is switched all the same.
    bool Active() const { return m_active; }

private:
    QLocale m_qtBefore;
    std::string m_before;
    bool m_active;
};

// A German desktop: a decimal comma, digits grouped with a point.
class CGermanDesktop : public CDesktopLocale
{
public:
    CGermanDesktop() : CDesktopLocale("de_DE.UTF-8", QLocale(QLocale::German, QLocale::Germany)) {}
};

// A desktop without a language of its own: numbers only with a point.
class CPlainDesktop : public CDesktopLocale
{
public:
    CPlainDesktop() : CDesktopLocale("C", QLocale::c()) {}
};
