#include "records/importrules.h"

#include "records/importtables.h"

#include <QRegularExpression>

#include <algorithm>

CRuleMatcher::CRuleMatcher(const CImportRule &rule)
    : m_match(rule.match)
    , m_pattern(rule.pattern)
{
    if (m_match == RuleMatch::Regex)
        m_regex = QRegularExpression(rule.pattern, QRegularExpression::CaseInsensitiveOption
                                                       | QRegularExpression::UseUnicodePropertiesOption);
}

bool CRuleMatcher::Matches(const QString &description) const
{
    // An empty pattern would file every line: it files none.
    if (m_pattern.isEmpty())
        return false;
    switch (m_match) {
    case RuleMatch::Contains:
        return description.contains(m_pattern, Qt::CaseInsensitive);
    case RuleMatch::StartsWith:
        // Learnt patterns are single-spaced; statements often are not.
        return description.simplified().startsWith(m_pattern.simplified(), Qt::CaseInsensitive);
    case RuleMatch::Regex:
        return m_regex.isValid() && m_regex.match(description).hasMatch();
    }
    return false;
}

bool CImportRule::Matches(const QString &description) const
{
    return CRuleMatcher(*this).Matches(description);
}

QString CImportRule::Problem() const
{
    if (pattern.trimmed().isEmpty())
        return QStringLiteral("The rule has no text to look for.");
    if (match == RuleMatch::Regex) {
        const QRegularExpression regex(pattern);
        if (!regex.isValid())
            return QStringLiteral("\"%1\" is not a regular expression: %2").arg(pattern, regex.errorString());
    }
    if (category.isEmpty())
        return QStringLiteral("The rule names no category.");
    return {};
}

CImportRule LearntRule(const QString &description, const QString &category)
{
    // Banks put card numbers, references and dates after the payee; the
    // words before the first of them name the payee from month to month.
    const QStringList words = description.simplified().split(u' ', Qt::SkipEmptyParts);
    QStringList lead;
    for (const QString &word : words) {
        if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); }))
            break;
        lead << word;
    }
    CImportRule rule;
    rule.category = category;
    if (lead.isEmpty()) {
        rule.match = RuleMatch::Contains;
        rule.pattern = description.simplified();
    } else {
        rule.match = RuleMatch::StartsWith;
        rule.pattern = lead.join(u' ');
    }
    return rule;
}

QString NormalisedDescription(const QString &text)
{
    return text.simplified().toCaseFolded();
}

QString RuleListProblem(const QList<CImportRule> &rules, const CImportRule &rule, qsizetype replacing)
{
    if (QString problem = rule.Problem(); !problem.isEmpty())
        return problem;
    for (qsizetype i = 0; i < rules.size(); ++i) {
        if (i != replacing && rules[i].match == rule.match
            && rules[i].pattern.simplified().compare(rule.pattern.simplified(), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Rule %1 already looks for \"%2\" that way; change that rule instead.")
                .arg(i + 1)
                .arg(rules[i].pattern);
    }
    return {};
}
