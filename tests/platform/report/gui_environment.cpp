// Test support for the layout tests: the QApplication that measuring text and
// drawing pages need, made once before the first test.
#include <memory>

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "report_test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

const auto* const g_environment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
