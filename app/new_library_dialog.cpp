#include "app/new_library_dialog.h"

#include "app/language_file.h"
#include "app/main_form.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "library/library_format.h"
#include "platform/ascii_text.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <system_error>

namespace tarnwick {

namespace {

const char* const kFrameCaption = "Be sure that the full path is included when choosing an INI file";

// The message boxes break lines at LF.
const QChar kLineBreak = QLatin1Char('\n');

bool EndsWithIni(const QString& name, Qt::CaseSensitivity cs)
{
    return name.endsWith(QStringLiteral(".ini"), cs);
}

}  // namespace

TfrmNew::TfrmNew(TMainForm& form, TPrompt& prompt) : QDialog(&form), form_(form), prompt_(prompt)
{
    setObjectName(QStringLiteral("frmNew"));
    setWindowTitle(QString::fromLatin1(kCaption));
    Label3 = new QLabel(QString::fromLatin1(kFrameCaption), this);
    QPalette red = Label3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label3->setPalette(red);
    Label3->setWordWrap(true);
    Label1 = new QLabel(QStringLiteral("Title : "), this);
    Label2 = new QLabel(QStringLiteral("Filename : "), this);
    edtNewTitle = new QLineEdit(this);
    edtNewTitle->setToolTip(QStringLiteral("Title for the new\ndata file."));
    edtNewFile = new QLineEdit(this);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setText(QStringLiteral("---"));
    SpeedButton1->setToolTip(QStringLiteral("Browse"));
    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
    // Enter moves from field to field (eventFilter); only a button that has
    // the focus takes it as a click.
    Button1->setAutoDefault(true);
    Button2->setAutoDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label3, 0, 0, 1, 3);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(edtNewTitle, 1, 1, 1, 2);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(edtNewFile, 2, 1);
    grid->addWidget(SpeedButton1, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    grid->addLayout(buttons, 3, 0, 1, 3);
    resize(420, sizeHint().height());

    edtNewTitle->installEventFilter(this);
    edtNewFile->installEventFilter(this);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmNew::SpeedButton1Click);
    connect(Button1, &QPushButton::clicked, this, &TfrmNew::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmNew::Button2Click);
    ApplyLanguageFile();
}

void TfrmNew::ApplyLanguageFile()
{
    const std::optional<TLanguageFile> file =
        TLanguageFile::Load(TLanguageFile::Locate(form_.AppFolder()));
    if (!file)
        return;
    Button2->setText(AnsiToQt(file->Read("Buttons", "Cancel", "Cancel")));
    Button1->setText(AnsiToQt(file->Read("Buttons", "OK", "&OK")));
    Label3->setText(AnsiToQt(file->Read("Labels", "frmCap", kFrameCaption)));
    Label1->setText(AnsiToQt(file->Read("Labels", "NewTitle", "Title :")));
    Label2->setText(AnsiToQt(file->Read("Labels", "NewFilename", "Filename :")));
}

bool TfrmNew::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == edtNewTitle) {
                edtNewFile->setFocus();
                return true;
            }
            if (watched == edtNewFile) {
                Button1->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmNew::SpeedButton1Click()
{
    TFileDialogSpec request;
    request.Title = QStringLiteral("New Tarnwick INI file");
    request.Filter = QStringLiteral("Tarnwick INI (*.ini)");
    request.InitialName = QStringLiteral("*.ini");
    if (const auto name = prompt_.SaveFileName(request))
        edtNewFile->setText(EndsWithIni(*name, Qt::CaseInsensitive) ? *name
                                                                     : *name + QStringLiteral(".ini"));
}

QString TfrmNew::ValidationLines(const std::string& title, const std::string& file) const
{
    QString lines;
    const auto add = [&](size_t n) { lines += kLineBreak + AnsiToQt(form_.LanguageString(n)); };
    if (title.empty())
        add(19);
    if (file.empty())
        add(20);
    // A name without a folder fails too: the library must be put somewhere
    // the user chose. A relative folder is taken from the program's folder,
    // where registered libraries are looked up.
    const std::string folder = ExtractFilePath(file);
    std::error_code ec;
    if (folder.empty() ||
        !std::filesystem::is_directory(ResolveFileName(folder, form_.AppFolder()), ec))
        add(21);
    return lines;
}

void TfrmNew::Button1Click()
{
    // The title is a key of main.ini, which drops blanks around it.
    const std::string title(Trimmed(QtToAnsi(edtNewTitle->text())));
    QString file = edtNewFile->text();
    const QString lines = ValidationLines(title, QtToAnsi(file));
    if (!lines.isEmpty()) {
        prompt_.ShowMessage(AnsiToQt(form_.LanguageString(4)) + QStringLiteral(" : ") +
                            kLineBreak + kLineBreak + lines);
        return;
    }
    if (!EndsWithIni(file, Qt::CaseSensitive))
        file += QStringLiteral(".ini");
    const std::string indexFile = QtToAnsi(file);
    // A new library never takes the place of an existing one: its index
    // file would be overwritten and its texts lost with the emptied data file.
    for (const std::string& name : {indexFile, DataFileName(indexFile)}) {
        if (FileExists(ResolveFileName(name, form_.AppFolder()))) {
            prompt_.ShowMessage(AnsiToQt(name) +
                                QStringLiteral(" already exists. A new library needs file names "
                                               "that are not in use; please choose another one."));
            return;
        }
    }
    CreateLibrary(title, indexFile);
    accept();
}

void TfrmNew::CreateLibrary(const std::string& title, const std::string& indexFile)
{
    const std::filesystem::path index = ResolveFileName(indexFile, form_.AppFolder());
    ProfileWriteString(index.string(), form_.LanguageString(13), form_.LanguageString(14),
                       kEmptyValue);
    // Opened for appending, so that even a data file that appeared since the
    // check above keeps its bytes.
    TFile data(ResolveFileName(DataFileName(index.string())), TFileMode::Append);
    data.Close();
    form_.RegisterAndOpenLibrary(title, index.string());
}

void TfrmNew::Button2Click()
{
    reject();
}

}  // namespace tarnwick
