#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <string>

using HRESULT = std::int32_t;

constexpr HRESULT TWK_S_OK = 0;
constexpr HRESULT TWK_E_FAIL = HRESULT(0x80004005);
constexpr HRESULT DB_E_ERRORSINCOMMAND = HRESULT(0x80040E14);
constexpr HRESULT DB_E_ERRORSOCCURRED = HRESULT(0x80040E21);
constexpr HRESULT DB_E_NOTABLE = HRESULT(0x80040E37);
constexpr HRESULT DB_E_DATAOVERFLOW = HRESULT(0x80040E57);
constexpr HRESULT DISP_E_TYPEMISMATCH = HRESULT(0x80020005);
constexpr HRESULT DISP_E_OVERFLOW = HRESULT(0x8002000A);
constexpr HRESULT ADO_E_ITEMNOTFOUND = HRESULT(0x800A0CC1);
constexpr HRESULT ADO_E_BOFEOF = HRESULT(0x800A0BCD);
constexpr HRESULT ADO_E_OBJECTCLOSED = HRESULT(0x800A0E78);
constexpr HRESULT ADO_E_PROVIDERNOTFOUND = HRESULT(0x800A0E7A);
// Another program holds the file's write lock longer than the connection
// waits, or has it to itself while it compacts.
constexpr HRESULT TWK_E_DATABASEBUSY = HRESULT(0x8004F001);

// A database error: an HRESULT-style status and the engine's description.
class CDbError : public std::exception
{
public:
    CDbError(HRESULT status, QString description);
    HRESULT Status() const { return m_status; }
    const QString &Description() const { return m_description; }
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    HRESULT m_status;
    QString m_description;
    std::string m_what;
};

// A failure of the program's own machinery (a file that cannot be read, a
// resource that is missing), shown with its own text.
class CFrameworkException : public std::exception
{
public:
    explicit CFrameworkException(QString message);
    const QString &Message() const { return m_message; }
    const char *what() const noexcept override { return m_what.c_str(); }

private:
    QString m_message;
    std::string m_what;
};

// The standard message text of a status ("Unspecified error", ...).
QString StandardStatusText(HRESULT status);
// The text ReportComError shows for an error.
QString ComErrorMessage(const CDbError &error);

void ReportComError(const CDbError &error);
// How changes that span several rows, and reports while they read, tell of a
// database error: with the engine's own description (the mapped message when
// it gave none). Pass it to RunReported; a CDbTransaction has rolled the
// change back before the message shows.
void ReportDescribedError(const CDbError &error);
void ReportException(const CFrameworkException &error);

// Runs a database operation and reports any failure the usual way: a database
// error through ReportComError (or the reporter given), a framework exception
// by its own text, anything else by "Some Error Occured !" titled
// "Tallywick +". A database busy in another program asks Retry or Cancel and
// runs the operation again on Retry: a failed operation changed nothing, as
// several-row changes roll back. True when it ran through.
template<typename F>
bool RunReported(F &&operation, void (*reportDbError)(const CDbError &) = ReportComError);

void ReportUnknownFailure();
// Retry/Cancel for a database another program keeps busy; true for Retry.
bool AskRetryWhenBusy();

template<typename F>
bool RunReported(F &&operation, void (*reportDbError)(const CDbError &))
{
    for (;;) {
        try {
            operation();
            return true;
        } catch (const CDbError &e) {
            if (e.Status() == TWK_E_DATABASEBUSY && AskRetryWhenBusy())
                continue;
            if (e.Status() != TWK_E_DATABASEBUSY)
                reportDbError(e);
        } catch (const CFrameworkException &e) {
            ReportException(e);
        } catch (...) {
            ReportUnknownFailure();
        }
        return false;
    }
}
