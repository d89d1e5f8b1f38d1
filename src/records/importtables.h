#pragma once

#include <QString>

class CDbConnection;

// The import's own tables. Only ever added beside the program's five, so
// every earlier reader of the file keeps working.
inline constexpr char kImportRuleTable[] = "LB_IMPORT_RULE_TB";
inline constexpr char kImportMappingTable[] = "LB_IMPORT_MAPPING_TB";
inline constexpr char kImportInfoTable[] = "LB_IMPORT_INFO_TB";
inline constexpr char kImportLineTable[] = "LB_IMPORT_LINE_TB";
inline constexpr char kImportFitIdTable[] = "LB_IMPORT_FITID_TB";

// Makes the tables that are missing; called only by code about to write.
void EnsureImportTables(CDbConnection &connection);
// True when the file holds the table; readers of a file without it find
// nothing and write nothing.
bool HasImportTable(CDbConnection &connection, const char *table);

// A description as duplicates are compared: letter case folded, runs of
// blanks made one blank, none at the ends.
QString NormalisedDescription(const QString &text);
