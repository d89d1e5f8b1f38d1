#include "data/dberror.h"

#include "base/stringids.h"
#include "base/stringtable.h"
#include "base/uiseam.h"

CDbError::CDbError(HRESULT status, QString description)
    : m_status(status)
    , m_description(std::move(description))
{
    m_what = QStringLiteral("0x%1: %2")
                 .arg(quint32(m_status), 8, 16, QLatin1Char('0'))
                 .arg(m_description)
                 .toStdString();
}

CFrameworkException::CFrameworkException(QString message)
    : m_message(std::move(message))
    , m_what(m_message.toStdString())
{
}

QString StandardStatusText(HRESULT status)
{
    switch (quint32(status)) {
    case 0x80004005u:
        return QStringLiteral("Unspecified error");
    case 0x80004001u:
        return QStringLiteral("Not implemented");
    case 0x8007000Eu:
        return QStringLiteral("Not enough storage is available to complete this operation.");
    case 0x80070005u:
        return QStringLiteral("Access is denied.");
    case 0x80020005u:
        return QStringLiteral("Type mismatch.");
    case 0x8002000Au:
        return QStringLiteral("Out of present range.");
    default:
        return QStringLiteral("Unknown error 0x") + QString::number(quint32(status), 16).toUpper();
    }
}

QString ComErrorMessage(const CDbError &error)
{
    const quint32 status = quint32(error.Status());
    const quint32 code = (status >= 0x80040200u && status <= 0x8004FFFFu) ? ((status - 0x200u) & 0xFFFFu) : 0u;
    switch (code) {
    case 0x0C14:
        return LoadString(StringId::InvalidCharacters);
    case 0x0C21:
        return LoadString(StringId::DataAccessComponentsMissing);
    case 0x0C37:
        return LoadString(StringId::DatabaseInvalid);
    default:
        break;
    }
    if (error.Status() == TWK_E_DATABASEBUSY)
        return LoadString(StringId::DatabaseBusy);
    if (StandardStatusText(error.Status()).toLower() == QLatin1String("unspecified error"))
        return LoadString(StringId::LoadSaveDataFailed);
    return error.Description();
}

void ReportComError(const CDbError &error)
{
    TwkMessageBox(ComErrorMessage(error), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR);
}

void ReportDescribedError(const CDbError &error)
{
    // An empty box would tell the user nothing.
    const QString text = error.Description().isEmpty() ? ComErrorMessage(error) : error.Description();
    TwkMessageBox(text, QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR);
}

void ReportException(const CFrameworkException &error)
{
    TwkMessageBox(error.Message().left(256), QStringLiteral("Tallywick + "), MB_OK | MB_ICONERROR);
}

void ReportUnknownFailure()
{
    TwkMessageBox(LoadString(StringId::SomeErrorOccured), QStringLiteral("Tallywick +"), MB_OK | MB_ICONERROR);
}

bool AskRetryWhenBusy()
{
    // Cancel by default: where nobody answers (the command line) the
    // question must not come round for ever.
    return TwkMessageBox(LoadString(StringId::DatabaseBusy), QStringLiteral("Tallywick + "),
                         MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2)
        == IDRETRY;
}
