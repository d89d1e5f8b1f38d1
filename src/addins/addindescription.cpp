#include "addins/addindescription.h"

#include "base/stringids.h"

#include <QDomDocument>

#include <algorithm>
#include <optional>

namespace {

std::optional<QString> FirstText(const QDomDocument &doc, const QString &tag)
{
    const QDomNodeList found = doc.elementsByTagName(tag);
    if (found.isEmpty())
        return std::nullopt;
    return found.item(0).toElement().text();
}

std::optional<int> ToInt(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// A menu's own name, its mnemonic applied.
QString MenuName(const QDomElement &menu)
{
    const QDomElement name = menu.firstChildElement(QStringLiteral("Name"));
    if (name.isNull())
        return QString();
    QString text = name.text();
    const QDomElement index = menu.firstChildElement(QStringLiteral("ShortcutKeyIndex"));
    if (!index.isNull()) {
        if (const auto at = ToInt(index.text()))
            text = InsertMnemonic(text, *at);
    }
    return text;
}

std::optional<CAddinCommand> ParseLeaf(const QDomElement &leaf)
{
    CAddinCommand command;
    bool named = false;
    for (QDomElement child = leaf.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        const QString tag = child.tagName();
        const QString text = child.text();
        if (tag == QLatin1String("Name")) {
            command.name = text;
            named = true;
        } else if (tag == QLatin1String("FunctionName")) {
            command.functionName = text;
        } else if (tag == QLatin1String("HelpString")) {
            command.helpString = text;
        } else if (tag == QLatin1String("ToolTip")) {
            command.toolTip = text;
        } else if (tag == QLatin1String("ShortCutKey")) {
            command.shortCutKey = text;
        } else if (tag == QLatin1String("ToolbarText")) {
            command.toolbarText = text;
        } else if (tag == QLatin1String("ToolBarIndex") || tag == QLatin1String("Separator")
                   || tag == QLatin1String("ShortcutKeyIndex")) {
            const auto n = ToInt(text);
            if (!n)
                return std::nullopt;
            if (tag == QLatin1String("ToolBarIndex"))
                command.toolBarIndex = *n;
            else if (tag == QLatin1String("Separator"))
                command.separator = *n;
            else
                command.name = InsertMnemonic(command.name, *n); // the name read so far
        }
    }

    // Up to and including the first "MainMenu"; an ancestor without a name
    // adds nothing.
    for (QDomNode up = leaf.parentNode(); up.isElement(); up = up.parentNode()) {
        const QDomElement menu = up.toElement();
        const QString name = MenuName(menu);
        if (!name.isEmpty())
            command.menuPath << name;
        if (menu.tagName() == QLatin1String("MainMenu"))
            break;
    }
    std::reverse(command.menuPath.begin(), command.menuPath.end());
    // An item needs a name and a menu to stand in.
    if (!named || command.menuPath.isEmpty())
        return std::nullopt;
    return command;
}

} // namespace

QString InsertMnemonic(const QString &name, int index)
{
    if (index < 0 || index > name.size())
        return name;
    QString text = name;
    text.insert(index, u'&');
    return text;
}

CAddinDescriptionResult ParseAddinDescription(const QString &xml)
{
    CAddinDescriptionResult result;
    QDomDocument doc;
    if (!doc.setContent(xml)) {
        result.error = StringId::XmlLoadFailed;
        return result;
    }
    const auto name = FirstText(doc, QStringLiteral("AddinName"));
    if (!name) {
        result.error = StringId::AddinNameFailed;
        return result;
    }
    const auto countText = FirstText(doc, QStringLiteral("ToobarButtonCount"));
    const auto count = countText ? ToInt(*countText) : std::nullopt;
    if (!count) {
        result.error = StringId::AddinToolbarCountFailed;
        return result;
    }
    const auto version = FirstText(doc, QStringLiteral("AppVer"));
    if (!version) {
        result.error = StringId::AddinAppVersionFailed;
        return result;
    }
    if (ToInt(*version) != kAddinDescriptionVersion) {
        result.error = StringId::AddinVersionFormatUnknown;
        return result;
    }

    CAddinDescription &description = result.description;
    description.name = *name;
    description.toolbarButtonCount = *count;
    const QDomNodeList leaves = doc.elementsByTagName(QStringLiteral("LeafMenu"));
    for (int i = 0; i < leaves.size(); ++i) {
        const auto command = ParseLeaf(leaves.item(i).toElement());
        if (!command) {
            result.error = StringId::AddinCommandsFailed;
            result.description = {};
            return result;
        }
        description.commands << *command;
    }
    return result;
}
