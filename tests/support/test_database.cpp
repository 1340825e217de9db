// The temporary delivered database for tests.
#include "tests/support/test_database.h"

#include <stdexcept>

#include <QDir>

#include "db/delivered.h"
#include "main/rights.h"
#include "platform/data/password_hash.h"

namespace testing_support {

TestDatabase::TestDatabase(const char* todayIso)
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    QDir(m_dir.path()).mkpath(QStringLiteral("DB"));
    m_path = m_dir.filePath(QStringLiteral("DB/tamselstd.MDB"));
    db::writeDeliveredFile(m_path.toStdString(), todayIso, std::string(todayIso) + " 09:00:00");
    m_db = std::make_unique<platform::Database>(platform::Database::open(m_path.toStdString()));
}

void TestDatabase::addUser(int userId, const std::string& name, const std::string& password)
{
    m_db->exec("INSERT INTO Users (UserID, UserName, Password, Notes) VALUES (?, ?, ?, '')",
               {userId, name, platform::hashPassword(password)});
}

void TestDatabase::refuse(int userId, int rightId, bool refused)
{
    const auto column = app::operatorColumn(userId);
    if (!column)
        throw std::invalid_argument("not an operator");
    m_db->exec("UPDATE userrights SET " + *column + " = ? WHERE RightID = ?", {refused ? 1 : 0, rightId});
}

} // namespace testing_support
