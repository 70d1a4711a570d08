// The About box, the help window and the help document, and the toolbar
// that leads to them.
#include "app/about_box.h"
#include "app/help_window.h"
#include "app_fixture.h"
#include "chrome/credits_panel.h"
#include "chrome/hyperlink_label.h"
#include "editor/core/custom_ed_stream.h"
#include "scheme/code_memo_parser.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBrowser>
#include <QUrl>

#include <functional>

namespace tarnwick::test {
namespace {

const std::filesystem::path kHelpSource =
    std::filesystem::path(TARNWICK_RESOURCES) / "help" / "Tarnwick.html";

QString HelpDocument()
{
    QFile file(QString::fromStdString(kHelpSource.string()));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

void Click(QWidget* widget, Qt::MouseButton button)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), button,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

// Runs the event loop until `done` holds or a generous limit passes.
bool ProcessEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// --- About box ---

TEST(AboutBox, build_date_is_the_short_date_of_the_users_locale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TAboutBox box;
    QLocale::setDefault(saved);
    auto* label = box.findChild<QLabel*>(QStringLiteral("BuildDate"));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->text().endsWith(QStringLiteral("18.04.99"))) << label->text().toStdString();
}

TEST(AboutBox, credits_scroll_by_themselves_once_the_box_is_shown)
{
    TAboutBox box;
    EXPECT_FALSE(box.Credits()->Running());
    box.show();
    EXPECT_TRUE(box.Credits()->Running());
    const int start = box.Credits()->Offset();
    EXPECT_TRUE(ProcessEventsUntil([&] { return box.Credits()->Offset() < start; }));
    box.hide();
}

TEST(AboutBox, every_way_of_closing_stops_the_credits_and_frees_the_box)
{
    const struct {
        const char* Name;
        std::function<void(TAboutBox&)> Close;
    } rows[] = {
        {"ok_button", [](TAboutBox& box) { box.OkButton()->click(); }},
        {"escape", [](TAboutBox& box) { box.reject(); }},
        {"window_close", [](TAboutBox& box) { box.close(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        QPointer<TAboutBox> box = new TAboutBox;
        box->show();
        QPointer<TCreditsPanel> credits = box->Credits();
        row.Close(*box);
        EXPECT_FALSE(credits->Running());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(box.isNull());
    }
}

TEST(AboutBox, a_left_click_on_the_credits_copies_the_web_address)
{
    TAboutBox box;
    box.show();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    Click(box.Credits(), Qt::RightButton);
    EXPECT_EQ(clipboard->text(), "before");
    Click(box.Credits(), Qt::LeftButton);
    EXPECT_EQ(clipboard->text(), QString::fromLatin1(TAboutBox::kWebAddress));
    box.hide();
}

TEST(AboutBox, links_use_the_reserved_example_domain_and_credits_name_qt_with_its_licence)
{
    TAboutBox box;
    EXPECT_EQ(QUrl(box.WebLink()->Address()).host(), "tarnwick.example.org");
    EXPECT_EQ(QUrl(box.MailLink()->Address()).scheme(), "mailto");
    EXPECT_TRUE(box.MailLink()->Address().endsWith("@example.org"));
    const QString credits = TAboutBox::CreditLines().join('\n');
    EXPECT_TRUE(credits.contains(QStringLiteral("Qt ") + qVersion()));
    EXPECT_TRUE(credits.contains("LGPL"));
    EXPECT_TRUE(credits.contains("Tarnwick project"));
}

TEST_F(AppFolderTest, about_is_modeless_and_asking_again_raises_the_open_box)
{
    InstallShippedLanguage();
    TMainForm& form = Form();
    form.show();
    EXPECT_TRUE(form.btnAbout->isEnabled());
    form.btnAbout->click();
    form.About1->trigger();
    const auto boxes = form.findChildren<TAboutBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->isVisible());
    EXPECT_FALSE(boxes[0]->isModal());
    EXPECT_TRUE(form.isEnabled());
    boxes[0]->OkButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.findChildren<TAboutBox*>().isEmpty());
}

// --- help window ---

TEST_F(AppFolderTest, help_commands_open_the_document_at_its_contents_or_its_index)
{
    InstallShippedLanguage();
    std::filesystem::copy_file(kHelpSource, folder_ / "Tarnwick.html");
    TMainForm& form = Form();
    form.show();
    const struct {
        const char* Name;
        std::function<void()> Command;
        const char* Anchor;
    } rows[] = {
        {"help_button", [&] { form.btnHelp->click(); }, "contents"},
        {"index_item", [&] { form.Index1->trigger(); }, "index"},
        {"contents_item", [&] { form.Contents1->trigger(); }, "contents"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        row.Command();
        const auto windows = form.findChildren<THelpWindow*>();
        ASSERT_EQ(windows.size(), 1);
        EXPECT_TRUE(windows[0]->isVisible());
        EXPECT_EQ(windows[0]->Browser()->source().fragment(), row.Anchor);
        EXPECT_EQ(windows[0]->Browser()->source().fileName(), "Tarnwick.html");
    }
    EXPECT_TRUE(prompt_.Errors.isEmpty());
}

TEST_F(AppFolderTest, the_index_is_scrolled_into_view)
{
    InstallShippedLanguage();
    std::filesystem::copy_file(kHelpSource, folder_ / "Tarnwick.html");
    TMainForm& form = Form();
    form.Index1->trigger();
    auto* window = form.findChild<THelpWindow*>();
    ASSERT_NE(window, nullptr);
    QCoreApplication::processEvents();
    QScrollBar* bar = window->Browser()->verticalScrollBar();
    const int atIndex = bar->value();
    form.btnHelp->click();
    QCoreApplication::processEvents();
    EXPECT_GT(atIndex, bar->value());
}

TEST_F(AppFolderTest, missing_help_document_is_reported_with_its_path)
{
    InstallShippedLanguage();
    TMainForm& form = Form();
    form.btnHelp->click();
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_TRUE(prompt_.Errors[0].contains("Tarnwick.html")) << prompt_.Errors[0].toStdString();
    EXPECT_EQ(form.findChild<THelpWindow*>(), nullptr);
}

// --- the help document ---

TEST(HelpDocument, every_link_inside_it_leads_to_an_anchor_and_the_main_topics_exist)
{
    const QString html = HelpDocument();
    QSet<QString> anchors;
    for (const auto& match : QRegularExpression(R"re(<a name="([^"]+)")re").globalMatch(html))
        anchors.insert(match.captured(1));
    for (const char* topic : {"contents", "index", "library", "keys", "scheme", "example1"})
        EXPECT_TRUE(anchors.contains(topic)) << topic;
    int links = 0;
    for (const auto& match : QRegularExpression(R"re(href="#([^"]*)")re").globalMatch(html)) {
        ++links;
        EXPECT_TRUE(anchors.contains(match.captured(1))) << match.captured(1).toStdString();
    }
    EXPECT_GT(links, 40);
}

// The text of every <pre class="scheme"> block, as a script file holds it.
std::vector<std::string> SchemeExamples()
{
    std::vector<std::string> scripts;
    const QRegularExpression block(R"re(<pre class="scheme">(.*?)</pre>)re",
                                   QRegularExpression::DotMatchesEverythingOption);
    for (const auto& match : block.globalMatch(HelpDocument())) {
        QString text = match.captured(1);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
        text.replace("&amp;", "&");
        text.replace("\n", "\r\n");
        scripts.push_back(text.toStdString());
    }
    return scripts;
}

TEST(HelpDocument, its_scheme_examples_compile)
{
    const std::vector<std::string> scripts = SchemeExamples();
    ASSERT_EQ(scripts.size(), 2u);
    for (const std::string& script : scripts) {
        TCodeMemoParser scheme;
        EXPECT_NO_THROW(scheme.CompileText(script)) << script;
    }
}

TEST(HelpDocument, the_first_example_colours_what_its_text_says)
{
    TCodeMemoParser scheme;
    scheme.CompileText(SchemeExamples().at(0));
    const std::string line = "visible = true # 640 \"x\"\r";
    TStringEdStream stream(line);
    scheme.ResetTokenizer(0);
    std::string marked;
    while (stream.Position() < stream.TextLength()) {
        const int64_t start = stream.Position();
        int length = 0;
        const int value = scheme.ReadToken(nullptr, stream, length);
        if (length <= 0)
            break;
        if (value != 0)
            marked += line.substr(static_cast<size_t>(start), static_cast<size_t>(length)) +
                      ":" + std::to_string(value) + " ";
    }
    EXPECT_EQ(marked, "true:4 # 640 \"x\":1 ");
}

// --- toolbar ---

TEST_F(AppFolderTest, toolbar_buttons_carry_their_picture_tag_and_exact_hint)
{
    InstallShippedLanguage();
    TMainForm& form = Form();
    const struct {
        TFlatButton* Button;
        int Tag;
        const char* Hint;
    } rows[] = {
        {form.btnOpen, 0, "Open a Tarnwick DAT file"}, {form.btnCopy, 1, "Copy current code"},
        {form.btnDelete, 2, "Delete current entry"},   {form.btnSave, 3, "Save current entry"},
        {form.btnHelp, 4, "View help file"},           {form.btnAbout, 5, "About Tarnwick"},
        {form.btnExit, 6, "Exit Tarnwick"},
    };
    form.StatusBar1->SetPanelText(0, "3 Categories");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Hint);
        EXPECT_EQ(row.Button->Tag(), row.Tag);
        EXPECT_FALSE(row.Button->icon().isNull());
        EXPECT_EQ(row.Button->font(), form.Label1->font());
        form.btnOpenMouseEnter(row.Button);
        EXPECT_EQ(form.StatusBar1->PanelText(0), row.Hint);
        form.btnOpenMouseExit(row.Button);
        EXPECT_EQ(form.StatusBar1->PanelText(0), "3 Categories");
    }
}

// --- menus ---

TEST_F(AppFolderTest, menus_animate_as_the_animated_option_says_whenever_one_opens)
{
    InstallShippedLanguage();
    const bool saved = QApplication::isEffectEnabled(Qt::UI_AnimateMenu);
    QApplication::setEffectEnabled(Qt::UI_General, true);
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nAnimated=0\r\n");
    TMainForm& form = Form();
    EXPECT_FALSE(QApplication::isEffectEnabled(Qt::UI_AnimateMenu));
    // Something else switched animation on; opening a menu applies the
    // option again.
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, true);
    emit form.Edit2->aboutToShow();
    EXPECT_FALSE(QApplication::isEffectEnabled(Qt::UI_AnimateMenu));
    CloseForm();
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nAnimated=1\r\n");
    Form();
    EXPECT_TRUE(QApplication::isEffectEnabled(Qt::UI_AnimateMenu));
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, saved);
}

}  // namespace
}  // namespace tarnwick::test
