#pragma once

#include "records/importengine.h"

#include <QRegularExpression>

// A rule ready to test many descriptions: its expression compiled once.
class CRuleMatcher
{
public:
    explicit CRuleMatcher(const CImportRule &rule);
    bool Matches(const QString &description) const;

private:
    RuleMatch m_match;
    QString m_pattern;
    QRegularExpression m_regex;
};

// The rule "always file descriptions like this under it" makes: the words
// before the first one holding a digit, as the start of the description;
// the whole text when it starts with one.
CImportRule LearntRule(const QString &description, const QString &category);

// Why `rule` cannot stand in `rules` at `replacing` (or be added when it is
// -1): its own problem, or another rule looking for the same text the same
// way, which could never file a line since the first match wins.
QString RuleListProblem(const QList<CImportRule> &rules, const CImportRule &rule, qsizetype replacing = -1);
