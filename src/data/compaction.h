#pragma once

#include <QList>

class CDbConnection;
class CTallywickData;
class QObject;

// Rows of each of the five tables, in a fixed order; a copy of the
// database must give the same list.
QList<qint64> TableRowCounts(CDbConnection &connection);

// Rewrites the database through the cipher's export into
// "TallywickPlusTemp.mdb" beside it, with the same key. The fresh copy
// replaces the original only after it opened and held every row; on any
// failure the original stays and is open again. True when the compacted
// file replaced the database and the connection is open on it.
bool CompactDatabase(CTallywickData &data, QObject *owner = nullptr);
