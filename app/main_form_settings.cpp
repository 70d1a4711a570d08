// TMainForm, part 2: main.ini (LoadSettings, SaveSettings), the File > Open
// library items, the Open button, the tree font commands and the schemes
// registered in main.ini.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "app/colour_value.h"
#include "app/window_placement.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "library/library_format.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "scheme/code_memo_parser.h"

#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>

#include <algorithm>

namespace tarnwick {

namespace {

const char* const kFirstRunMessage =
    "Please Read the help file before using the Syntax highlighting Options";

bool ReadBool(const std::string& settings, const char* section, const char* key, bool def)
{
    return ProfileReadInteger(settings, section, key, def ? 1 : 0) != 0;
}

void WriteBool(const std::string& settings, const char* section, const char* key, bool value)
{
    ProfileWriteString(settings, section, key, value ? "1" : "0");
}

void WriteInt(const std::string& settings, const char* section, const char* key, int64_t value)
{
    ProfileWriteString(settings, section, key, std::to_string(value));
}

TTreeFont ReadTreeFont(const std::string& settings, const std::string& prefix,
                       const char* charsetKey)
{
    TTreeFont font;
    const auto key = [&](const char* suffix) { return prefix + suffix; };
    font.Name = ProfileReadString(settings, "Fonts", key("Name"), "MS Sans Serif");
    font.Size = ProfileReadInteger(settings, "Fonts", key("Size"), 10);
    font.Colour = static_cast<uint32_t>(ProfileReadInteger(settings, "Fonts", key("Color"), 255));
    font.Charset = ProfileReadInteger(settings, "Fonts", charsetKey, 1);
    font.Style = 0;
    if (ReadBool(settings, "Fonts", key("Bold").c_str(), false))
        font.Style |= 1;
    if (ReadBool(settings, "Fonts", key("Italic").c_str(), false))
        font.Style |= 2;
    if (ReadBool(settings, "Fonts", key("UnderLine").c_str(), false))
        font.Style |= 4;
    if (ReadBool(settings, "Fonts", key("StrikeOut").c_str(), false))
        font.Style |= 8;
    return font;
}

// Names on disk are the file system's bytes, not code-page texts.
std::filesystem::path PathFromQt(const QString& name)
{
    const QByteArray bytes = QFile::encodeName(name);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
}

QString MenuCaption(const std::string& title)
{
    // A title is shown as it stands: '&' is no access-key mark here.
    return AnsiToQt(title).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

std::string TMainForm::SettingsFile() const
{
    return ResolveFileName("main.ini", appFolder_).string();
}

void TMainForm::LoadSettings()
{
    const std::string settings = SettingsFile();
    defaultIni_ = ProfileReadString(settings, "Options", "DefaultIni", "Delphi Code");
    const std::string indexName =
        ProfileReadString(settings, "Files", defaultIni_, "Tarnwick.Ini");
    loadDefault_ = ReadBool(settings, "Options", "LoadDefault", false);
    animated_ = ReadBool(settings, "Options", "Animated", true);
    autoSaveOption_ = ReadBool(settings, "Options", "AutoSave", false);
    autoSave_ = autoSaveOption_;

    static const char* const kAbsent = "\x01";
    const std::pair<const char*, const char*> registryEntries[] = {
        {"Delphi2", "Delphi 2 Registry Settings"},
        {"Delphi3", "Delphi 3 Registry Settings"},
        {"Delphi4", "Delphi 4 Registry Settings"},
    };
    for (const auto& [key, text] : registryEntries)
        if (ProfileReadString(settings, "Scripts", key, kAbsent) == kAbsent)
            ProfileWriteString(settings, "Scripts", key, text);

    categoryFont_ = ReadTreeFont(settings, "TreeWin", "TreeCatFontSet");
    titleFont_ = ReadTreeFont(settings, "TreeTitle", "TreeTitleScript");
    // The code pane keeps its own font until the user picked one
    // (ApplyCodeWindowFont gives it to the pane once the schemes are set).
    if (!ProfileReadString(settings, "Fonts", "CodeWinName", "").empty())
        codeFont_ = ReadTreeFont(settings, "CodeWin", "CodeWinScript");
    ApplyTreeFontSize();

    const std::filesystem::path library = ResolveFileName(indexName, appFolder_);
    if (loadDefault_)
        LoadLibrary(library);
    // The default library is the target of New Category, New Code and Save
    // even while the tree is empty.
    currentLibrary_ = library;

    remember_ = ReadBool(settings, "Options", "Remember", false);
    const int left = ProfileReadInteger(settings, "Options", "Left", 0);
    const int top = ProfileReadInteger(settings, "Options", "Top", 0);
    const int width = ProfileReadInteger(settings, "Options", "Width", 0);
    const int height = ProfileReadInteger(settings, "Options", "Height", 0);
    const int windowState = ProfileReadInteger(settings, "Options", "WindowState", 0);
    const int treeWidth = ProfileReadInteger(settings, "Options", "TreeWidth", 160);
    if (treeWidth > 0) {
        const QList<int> sizes = Splitter1->sizes();
        const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
        Splitter1->setSizes({treeWidth, std::max(total - treeWidth, 50)});
        treeWidth_ = treeWidth;
    }

    // 2, 3 or 4 gives the code pane that IDE's colours once the scheme
    // objects exist (ApplyHighlightingSource).
    delphiVer_ = ProfileReadInteger(settings, "Options", "DelphiVer", 0);

    if (remember_)
        ApplyPlacement(left, top, width, height);
    ApplyMenuAnimation();
    switch (windowState) {
    case 1: setWindowState(Qt::WindowMinimized); break;
    case 2: setWindowState(Qt::WindowMaximized); break;
    default: setWindowState(Qt::WindowNoState); break;
    }

    if (!ReadBool(settings, "Options", "HasRun1", false))
        prompt_.ShowMessage(QString::fromLatin1(kFirstRunMessage));
    ProfileWriteString(settings, "Options", "HasRun1", "1");
}

void TMainForm::ApplyPlacement(int left, int top, int width, int height)
{
    // Stored and restored as the window's own area without its frame (what
    // SaveSettings writes), in one move-and-size. A size of zero (keys
    // missing) keeps the current size, which leaves a window to see.
    QSize size(width, height);
    if (width <= 0 || height <= 0)
        size = this->size();
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    setGeometry(PlaceOnScreens(QRect(QPoint(left, top), size), screens));
}

void TMainForm::SaveSettings()
{
    const std::string settings = SettingsFile();
    ProfileWriteString(settings, "Options", "DefaultIni", defaultIni_);
    WriteBool(settings, "Options", "LoadDefault", loadDefault_);
    WriteBool(settings, "Options", "Remember", remember_);
    WriteBool(settings, "Options", "Animated", animated_);
    WriteBool(settings, "Options", "AutoSave", autoSaveOption_);
    // A window that was never shown has no laid-out tree; its divider is
    // where the settings put it.
    WriteInt(settings, "Options", "TreeWidth", TreeView1->isVisible() ? TreeView1->width() : treeWidth_);
    WriteInt(settings, "Options", "DelphiVer", delphiVer_);
    SavePlacement(settings);
}

void TMainForm::SavePlacement(const std::string& settings)
{
    if (remember_) {
        // The restored placement, so that a maximised window comes back
        // maximised over its normal size.
        const QRect placement = isMaximized() || isMinimized() ? normalGeometry() : geometry();
        WriteInt(settings, "Options", "Left", placement.left());
        WriteInt(settings, "Options", "Top", placement.top());
        WriteInt(settings, "Options", "Width", placement.width());
        WriteInt(settings, "Options", "Height", placement.height());
        WriteInt(settings, "Options", "WindowState", isMinimized() ? 1 : isMaximized() ? 2 : 0);
    } else {
        for (const char* key : {"Left", "Top", "Width", "Height", "WindowState"})
            ProfileDeleteKey(settings, "Options", key);
    }
}

void TMainForm::BuildOpenMenu()
{
    const std::string defaultTitle =
        ProfileReadString(SettingsFile(), "Options", "DefaultIni", "Delphi Code");
    Open1->clear();
    delete openGroup_;
    openGroup_ = new QActionGroup(Open1);
    openGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    openChecked_ = nullptr;
    for (const std::string& title : libraryTitles_) {
        QAction* item = AddOpenItem(title);
        // Only an exact match names the default library.
        if (title == defaultTitle) {
            item->setChecked(true);
            openChecked_ = item;
            setWindowTitle(QString::fromLatin1(kCaption) + QStringLiteral(" - ") +
                           AnsiToQt(title));
        }
    }
}

QAction* TMainForm::AddOpenItem(const std::string& title)
{
    QAction* item = Open1->addAction(MenuCaption(title));
    item->setData(AnsiToQt(title));
    item->setCheckable(true);
    openGroup_->addAction(item);
    connect(item, &QAction::triggered, this, [this, item] { OpenLibraryItem(item); });
    return item;
}

void TMainForm::OpenLibraryItem(QAction* item)
{
    const std::string title = QtToAnsi(item->data().toString());
    const std::string indexName =
        ProfileReadString(SettingsFile(), "Files", title, "Tarnwick.ini");
    const std::string dataName = ChangeFileExt(indexName, ".dat");
    if (FileExists(ResolveFileName(dataName, appFolder_))) {
        ForgetOpenSnippet();
        LoadLibrary(ResolveFileName(indexName, appFolder_));
        item->setChecked(true);
        openChecked_ = item;
        setWindowTitle(QString::fromLatin1(kCaption) + QStringLiteral(" - ") + AnsiToQt(title));
    } else {
        // Qt checked the item on the click; the library shown has not
        // changed, so the check mark goes back to where it was.
        item->setChecked(false);
        if (openChecked_)
            openChecked_->setChecked(true);
        prompt_.ShowMessage(AnsiToQt(LanguageString(28)));
    }
}

void TMainForm::btnOpenClick()
{
    TFileDialogSpec request;
    request.Title = QStringLiteral("Load file");
    request.Filter = QStringLiteral("INI Files (*.ini *.INI)");
    request.DefaultExtension = QStringLiteral("INI");
    request.Folder = QString::fromStdString(appFolder_.string());
    if (const auto name = prompt_.OpenFileName(request)) {
        ForgetOpenSnippet();
        LoadLibrary(PathFromQt(*name));
    }
}

bool TMainForm::ChooseTreeFont(TTreeFont& target, const char* prefix, const char* charsetKey)
{
    TFontChoice initial;
    initial.Font = QFont(AnsiToQt(target.Name));
    if (target.Size > 0)
        initial.Font.setPointSize(target.Size);
    initial.Font.setBold(target.Style & 1);
    initial.Font.setItalic(target.Style & 2);
    initial.Font.setUnderline(target.Style & 4);
    initial.Font.setStrikeOut(target.Style & 8);
    initial.Colour = ColourFromValue(target.Colour);
    const auto choice = prompt_.ChooseFont(initial);
    if (choice) {
        TTreeFont chosen;
        chosen.Name = QtToAnsi(choice->Font.family());
        chosen.Size = choice->Font.pointSize() > 0 ? choice->Font.pointSize() : target.Size;
        chosen.Style = (choice->Font.bold() ? 1 : 0) | (choice->Font.italic() ? 2 : 0) |
                       (choice->Font.underline() ? 4 : 0) | (choice->Font.strikeOut() ? 8 : 0);
        chosen.Colour = ValueFromColour(choice->Colour);
        chosen.Charset = std::clamp(choice->Charset, 0, 255);

        const std::string settings = SettingsFile();
        const std::string key = prefix;
        WriteBool(settings, "Fonts", (key + "Bold").c_str(), chosen.Style & 1);
        WriteBool(settings, "Fonts", (key + "Italic").c_str(), chosen.Style & 2);
        WriteBool(settings, "Fonts", (key + "UnderLine").c_str(), chosen.Style & 4);
        WriteBool(settings, "Fonts", (key + "StrikeOut").c_str(), chosen.Style & 8);
        ProfileWriteString(settings, "Fonts", key + "Name", chosen.Name);
        WriteInt(settings, "Fonts", (key + "Size").c_str(), chosen.Size);
        WriteInt(settings, "Fonts", (key + "Color").c_str(), chosen.Colour);
        WriteInt(settings, "Fonts", charsetKey, chosen.Charset);
        target = chosen;
    }
    ApplyTreeFontSize();
    return choice.has_value();
}

void TMainForm::TreeviewWindow1Click()
{
    ChooseTreeFont(categoryFont_, "TreeWin", "TreeCatFontSet");
}

void TMainForm::TreeViewtitles1Click()
{
    ChooseTreeFont(titleFont_, "TreeTitle", "TreeTitleScript");
}

void TMainForm::LoadCurrentScheme()
{
    const std::string settings = SettingsFile();
    const std::string current = ProfileReadString(settings, "Options", "CurrentParser", "");
    schemeNames_.clear();
    schemeFiles_.clear();
    const std::vector<std::string> keys = ProfileKeys(settings, "Scripts");
    for (size_t i = 0; i < keys.size(); ++i) {
        // Only an exact match names the current scheme; without one the
        // index stays where it was.
        if (keys[i] == current)
            currentSchemeIndex_ = static_cast<int>(i);
        const std::string value = ProfileReadString(settings, "Scripts", keys[i], "");
        schemeNames_.emplace_back(GetField(value, ";", 0));
        schemeFiles_.emplace_back(GetField(value, ";", 1));
    }
    const std::string entry = ProfileReadString(settings, "Scripts", current, "");
    currentSchemeName_ = GetField(entry, ";", 0);
    currentSchemeFile_ = GetField(entry, ";", 1);
    if (delphiVer_ == 0)
        LoadCompiledScheme(currentSchemeFile_, currentSchemeName_);
}

void TMainForm::LoadCompiledScheme(const std::string& file, const std::string& /*name*/)
{
    TCodeMemo& editor = Memo1->Editor();
    editor.SetActiveParser(1);
    if (file.empty())
        return;
    const std::filesystem::path path = ResolveFileName(file, appFolder_);
    if (!FileExists(path))
        return;
    // A damaged compiled scheme raises its error to the standard error box;
    // ActiveParser then keeps what it could load.
    ActiveParser->LoadFromBytes(ReadWholeFile(path));
    ActiveParser->ReapplyToEditors();
}

}  // namespace tarnwick
