#pragma once

#include "config/Result.h"

#include <QSqlDatabase>

#include <string>

namespace kor {

// Fills a newly created companion database: the four languages (English active), the demo model
// profiles and the demo camera. Runs inside the creating transaction.
Status SeedCompanionDatabase(QSqlDatabase& db);

} // namespace kor
