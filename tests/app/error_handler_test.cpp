// The standard error handler: an exception escaping an event handler is
// shown through the prompt and the program goes on.
#include "app/application.h"
#include "platform/errors.h"
#include "scripted_prompt.h"

#include <QEvent>
#include <QObject>

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

class TThrowingObject : public QObject {
public:
    std::function<void()> Fault;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            Fault();
        return QObject::event(e);
    }
};

TEST(ErrorHandler, shows_the_message_of_any_escaping_exception)
{
    auto owned = std::make_unique<TScriptedPrompt>();
    TScriptedPrompt* prompt = owned.get();
    TApplication::Instance()->SetPrompt(std::move(owned));

    struct {
        const char* name;
        std::function<void()> fault;
        QString shown;
    } const rows[] = {
        {"own_fault", [] { RaiseNotAnInteger("12x"); }, "'12x' is not a valid integer value"},
        {"file_fault", [] { throw EInOutError("File not found", 2); }, "File not found"},
        {"code_page_text", [] { throw Exception("Caf\xe9"); }, QString::fromUtf8("Caf\u00e9")},
        {"std_fault", [] { throw std::out_of_range("List index out of bounds (28)"); },
         "List index out of bounds (28)"},
    };
    for (const auto& row : rows) {
        prompt->Errors.clear();
        TThrowingObject target;
        target.Fault = row.fault;
        QEvent event(QEvent::User);
        EXPECT_TRUE(QCoreApplication::sendEvent(&target, &event)) << row.name;
        EXPECT_EQ(prompt->Errors, QStringList{row.shown}) << row.name;
    }
}

}  // namespace
}  // namespace tarnwick::test
