// The steps that bring a database file of an older layout up to the one this
// program reads; the opening of the file runs them (platform::Database::open).
#pragma once

#include <span>

#include "platform/data/database.h"

namespace db {

// Every step from layout version 1 on, for platform::Database::open.
std::span<const platform::SchemaUpgrade> schemaUpgrades();

} // namespace db
