#pragma once

#include <QSqlDatabase>

#include <string>

namespace kor {

// Fills a newly created companion database: the four languages (English active), the demo model
// profiles and the demo camera. Runs inside the creating transaction. Returns true on failure.
bool SeedCompanionDatabase(QSqlDatabase& db, std::string* error);

} // namespace kor
