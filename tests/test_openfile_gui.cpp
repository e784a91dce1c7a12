// Files given on the command line or dropped on the main window: what the
// arguments ask for, and a reduction file or an image opened as such.
#include "imaging/imagefile.h"
#include "mainwindow/commandline.h"
#include "mainwindow/imagecanvas.h"
#include "window.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using namespace reduction;
using namespace imaging;
using namespace field;
using namespace catalogues;

using namespace testing_support;
using commandline::Request;

TEST(CommandLine, ArgumentsAskForAFileHelpOrVersion) {
    struct Row {
        QStringList args;
        Request request;
        QString file;
        QString argument;
    };
    const Row rows[] = {
        {{}, Request::Run, "", ""},
        {{"sample.pam"}, Request::Run, "sample.pam", ""},
        {{"/tmp/m31.fits"}, Request::Run, "/tmp/m31.fits", ""},
        // Help and version win wherever they stand.
        {{"sample.pam", "--help"}, Request::Help, "", ""},
        {{"-h"}, Request::Help, "", ""},
        {{"--version"}, Request::Version, "", ""},
        // After "--" a name starting with "-" is a file.
        {{"--", "-dark.png"}, Request::Run, "-dark.png", ""},
        {{"--", "--help"}, Request::Run, "--help", ""},
        // Unknown options and a second file are refused, naming the argument.
        {{"--fullscreen"}, Request::Error, "", "--fullscreen"},
        {{"a.pam", "b.pam"}, Request::Error, "", "b.pam"},
    };
    for (const Row& r : rows) {
        const auto p = commandline::Parse(r.args);
        const std::string what = r.args.join(' ').toStdString();
        EXPECT_EQ(p.request, r.request) << what;
        EXPECT_EQ(p.file.toStdString(), r.file.toStdString()) << what;
        EXPECT_EQ(p.argument.toStdString(), r.argument.toStdString()) << what;
    }
    EXPECT_TRUE(commandline::IsReductionFile("/home/me/Desktop/SAMPLE.PAM"));
    EXPECT_FALSE(commandline::IsReductionFile("/home/me/pam.png"));
}

namespace {
// The form's state after opening a file: the image box, the image shown and
// the right ascension typed.
struct Opened {
    QString url;
    QSize image;
    QString ra;
    bool operator==(const Opened&) const = default;
};
void PrintTo(const Opened& o, std::ostream* out) {
    *out << '{' << o.url.toStdString() << ", " << o.image.width() << 'x' << o.image.height() << ", "
         << o.ra.toStdString() << '}';
}
Opened state(const Form1& form) {
    const auto* canvas = form.findChild<ImageCanvas*>();
    return {edit(form, "txt_url")->text(), canvas ? canvas->image().size() : QSize(),
            edit(form, "txt_ra(0)")->text() + ' ' + edit(form, "txt_ra(1)")->text() + ' ' +
                edit(form, "txt_ra(2)")->text()};
}

void drop(Form1& form, QMimeData& data) {
    const QPoint at(form.width() / 2, form.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &dropped);
    QApplication::processEvents();
}
} // namespace

TEST(OpenFileGui, AReductionFileOrAnImageIsOpenedAsSuch) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;

    // A reduction file fills the fields and loads its image (sample.png of the folder).
    ASSERT_TRUE(form.OpenFile(folder.file("sample.pam")));
    EXPECT_EQ(state(form), (Opened{"sample.png", QSize(1024, 1024), "22 47 12.2"}));

    // An image is typed into the image box as a full path and shown; the
    // field stays.
    const QString fits = sampleFile("image.fits");
    ASSERT_TRUE(form.OpenFile(fits));
    EXPECT_EQ(state(form), (Opened{fits, QSize(1024, 1024), "22 47 12.2"}));
    EXPECT_TRUE(form.session().ImageLoaded);

    // A file that is not an image: a message, and nothing loaded.
    folder.write("notes.txt", "not an image");
    const size_t messages = boxes.shown.size();
    EXPECT_FALSE(form.OpenFile(folder.file("notes.txt")));
    EXPECT_EQ(boxes.shown.size(), messages + 1);
    EXPECT_FALSE(form.session().ImageLoaded);
}

TEST(OpenFileGui, AFileDroppedOnTheWindowIsOpened) {
    ProgramFolderFixture folder;
    MessageRecorder boxes;
    Form1 form;
    form.show();

    // A web address or a text is not taken.
    const Opened before = state(form);
    QMimeData web;
    web.setUrls({QUrl("https://example.org/sample.pam")});
    drop(form, web);
    QMimeData text;
    text.setText("sample.pam");
    drop(form, text);
    EXPECT_EQ(state(form), before);

    // The first local file of the drop is opened.
    QMimeData files;
    files.setUrls({QUrl("https://example.org/x.png"),
                   QUrl::fromLocalFile(folder.file("sample.pam")),
                   QUrl::fromLocalFile(sampleFile("image.png"))});
    drop(form, files);
    EXPECT_EQ(state(form), (Opened{"sample.png", QSize(1024, 1024), "22 47 12.2"}));
    EXPECT_TRUE(boxes.shown.empty());
}
