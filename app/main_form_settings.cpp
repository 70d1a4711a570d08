// TMainForm, part 2: main.ini (LoadSettings, SaveSettings), the File > Open
// library items, loading a library into the tree, the Open button and the
// tree font commands.
#include "app/main_form.h"

#include "chrome/prompt.h"
#include "chrome/ansi_text.h"
#include "library/library_listing.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStyle>

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
        Label1->setFixedWidth(treeWidth);
        treeWidth_ = treeWidth;
    }

    // Switching to a Delphi IDE's colours comes with the scheme engine.
    delphiVer_ = ProfileReadInteger(settings, "Options", "DelphiVer", 0);

    if (remember_) {
        // A stored size of zero (keys missing) would leave no window to see;
        // such values keep the current size. A position on no screen keeps
        // the current position.
        if (width > 0 && height > 0)
            resize(width, height);
        const QPoint topLeft(left, top);
        if (QGuiApplication::screenAt(topLeft) != nullptr)
            move(topLeft);
    }
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
    auto* group = new QActionGroup(Open1);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    openChecked_ = nullptr;
    for (const std::string& title : libraryTitles_) {
        QAction* item = Open1->addAction(MenuCaption(title));
        item->setData(AnsiToQt(title));
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { OpenLibraryItem(item); });
        // Only an exact match names the default library.
        if (title == defaultTitle) {
            item->setChecked(true);
            openChecked_ = item;
            setWindowTitle(QString::fromLatin1(kCaption) + QStringLiteral(" - ") +
                           AnsiToQt(title));
        }
    }
}

void TMainForm::OpenLibraryItem(QAction* item)
{
    const std::string title = QtToAnsi(item->data().toString());
    const std::string indexName =
        ProfileReadString(SettingsFile(), "Files", title, "Tarnwick.ini");
    const std::string dataName = ChangeFileExt(indexName, ".dat");
    if (FileExists(ResolveFileName(dataName, appFolder_))) {
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

void TMainForm::LoadLibrary(const std::filesystem::path& indexFile)
{
    TreeView1->setUpdatesEnabled(false);
    TreeView1->clear();
    categories_.clear();
    titles_.clear();
    currentLibrary_ = indexFile;
    const std::string index = indexFile.string();
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon titleIcon = style()->standardIcon(QStyle::SP_FileIcon);
    try {
        categories_ = SortedNames(ProfileSectionNames(index));
        for (const std::string& category : categories_) {
            auto* node = new QTreeWidgetItem(TreeView1, {AnsiToQt(category)});
            node->setIcon(0, closedIcon);
            titles_ = SortedNames(ProfileKeys(index, category));
            for (const std::string& title : titles_) {
                auto* child = new QTreeWidgetItem(node, {AnsiToQt(title)});
                child->setIcon(0, titleIcon);
            }
        }
    } catch (...) {
        TreeView1->setUpdatesEnabled(true);
        ShowCounts();
        throw;
    }
    TreeView1->setUpdatesEnabled(true);
    ShowCounts();
    if (TreeView1->topLevelItemCount() > 0)
        TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
}

void TMainForm::ShowCounts()
{
    int categories = TreeView1->topLevelItemCount();
    int titles = 0;
    for (int i = 0; i < categories; ++i)
        titles += TreeView1->topLevelItem(i)->childCount();
    StatusBar1->SetPanelText(0, QString::number(categories) + QLatin1Char(' ') + wordCategories_);
    StatusBar1->SetPanelText(1, QString::number(titles) + QLatin1Char(' ') + wordTitles_);
}

void TMainForm::btnOpenClick()
{
    TFileDialogSpec request;
    request.Title = QStringLiteral("Load file");
    request.Filter = QStringLiteral("INI Files (*.ini *.INI)");
    request.DefaultExtension = QStringLiteral("INI");
    request.Folder = QString::fromStdString(appFolder_.string());
    if (const auto name = prompt_.OpenFileName(request))
        LoadLibrary(PathFromQt(*name));
}

void TMainForm::ChooseTreeFont(TTreeFont& target, const char* prefix, const char* charsetKey)
{
    TFontChoice initial;
    initial.Font = QFont(AnsiToQt(target.Name));
    if (target.Size > 0)
        initial.Font.setPointSize(target.Size);
    initial.Font.setBold(target.Style & 1);
    initial.Font.setItalic(target.Style & 2);
    initial.Font.setUnderline(target.Style & 4);
    initial.Font.setStrikeOut(target.Style & 8);
    initial.Colour = QColor(static_cast<int>(target.Colour & 0xFF),
                            static_cast<int>((target.Colour >> 8) & 0xFF),
                            static_cast<int>((target.Colour >> 16) & 0xFF));
    if (const auto choice = prompt_.ChooseFont(initial)) {
        TTreeFont chosen;
        chosen.Name = QtToAnsi(choice->Font.family());
        chosen.Size = choice->Font.pointSize() > 0 ? choice->Font.pointSize() : target.Size;
        chosen.Style = (choice->Font.bold() ? 1 : 0) | (choice->Font.italic() ? 2 : 0) |
                       (choice->Font.underline() ? 4 : 0) | (choice->Font.strikeOut() ? 8 : 0);
        chosen.Colour = static_cast<uint32_t>(choice->Colour.red()) |
                        (static_cast<uint32_t>(choice->Colour.green()) << 8) |
                        (static_cast<uint32_t>(choice->Colour.blue()) << 16);
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
}

void TMainForm::TreeviewWindow1Click()
{
    ChooseTreeFont(categoryFont_, "TreeWin", "TreeCatFontSet");
}

void TMainForm::TreeViewtitles1Click()
{
    ChooseTreeFont(titleFont_, "TreeTitle", "TreeTitleScript");
}

}  // namespace tarnwick
