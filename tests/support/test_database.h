// Test support: a delivered database in a temporary folder of its own, as the
// program finds it ("DB/tamselstd.MDB" under the folder), removed afterwards.
#pragma once

#include <memory>
#include <string>

#include <QString>
#include <QTemporaryDir>

#include "platform/data/database.h"

namespace testing_support {

class TestDatabase {
public:
    // Writes a delivered database made on `todayIso`.
    explicit TestDatabase(const char* todayIso = "2026-12-10");
    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    // A connection of the test's own, for arranging rows and checking results.
    platform::Database& db() { return *m_db; }
    // Adds operator `userId` (2 to 10) with `name` and `password`.
    void addUser(int userId, const std::string& name, const std::string& password);
    // Sets operator column of `userId` for `rightId` to refused (or allowed).
    void refuse(int userId, int rightId, bool refused = true);

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<platform::Database> m_db;
};

} // namespace testing_support
