#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QMenuBar>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <vector>

#include "app/file_types.h"
#include "app/module1_app.h"
#include "platform/core/file_type.h"
#include "platform/qt/date_time.h"
#include "platform/qt/picture.h"
#include "platform/qt/printer_setup.h"
#include "platform/qt/save_file_dialog.h"
#include "tests/app/app_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/files.h"
#include "tests/support/modal_robot.h"
#include "tests/support/recording_graphics.h"

namespace {

using korva::test::AppTest;
using korva::test::DiskFault;
using korva::test::ModalRobot;
using platform::PrinterSetup;

struct Surface {
    std::int64_t canvaswidth, canvasheight, pf;
};

Surface surface() { return {Module1::canvaswidth, Module1::canvasheight, Module1::pf}; }

bool operator==(const Surface& a, const Surface& b) {
    return a.canvaswidth == b.canvaswidth && a.canvasheight == b.canvasheight && a.pf == b.pf;
}

// What a printed page received; filled in when the page is let go, that is printed.
struct PageRecord {
    Surface drawnWith{};
    std::vector<korva::test::RecordingGraphics::Text> texts;
    std::vector<std::string> calls;
    bool printed = false;
};

class RecordingPage : public korva::test::RecordingGraphics {
  public:
    RecordingPage(double w, double h, PageRecord& record) : record_(record) {
        width = w, height = h;
    }
    ~RecordingPage() override {
        record_.texts = texts;
        record_.calls = calls;
        record_.printed = true;
    }
    void PenSize(double size) override {
        record_.drawnWith = surface();
        RecordingGraphics::PenSize(size);
    }

  private:
    PageRecord& record_;
};

using PageSetupSignature = bool(QPrinter&);
using PrintSignature = std::unique_ptr<platform::Graphics>(std::shared_ptr<QPrinter>);
using SaveSignature = std::optional<platform::FolderItem>(const platform::SaveFileRequest&);

// A dialog that the test does not answer fails it, and is cancelled.
template <class Result, class... Args>
platform::ScopedReplacement<Result(Args...)> unanswered(platform::Seam<Result(Args...)>& dialog,
                                                        const char* name) {
    return {dialog, [name](Args...) {
                ADD_FAILURE() << "the " << name << " dialog was not answered";
                return Result();
            }};
}

// The plot window showing the start-value AB spectrum, the dialogs answered by the test
// and the clock stopped at a known moment.
class Printing : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        if (!platform::FileType::Lookup("image/png")) FileTypes::Initialize();  // as at start
        openParameters();
        countDrawings();
        Module1::psettings.clear();
    }

    void resizePlot(int width, int height) {
        Window1().resize(width, height + Window1().menuBar()->height());
        settle();
        ASSERT_EQ(Window1().Width(), width);
        ASSERT_EQ(Window1().Height(), height);
    }

    // Saves through the menu; the dialog answers `file`.
    std::optional<platform::SaveFileRequest> save(std::optional<QString> file) {
        std::optional<platform::SaveFileRequest> asked;
        const platform::ScopedReplacement dialog{
            platform::SaveFileDialog(),
            [&](const platform::SaveFileRequest& request) -> std::optional<platform::FolderItem> {
                asked = request;
                during = surface();
                if (!file) return std::nullopt;
                return platform::FolderItem(*file);
            }};
        Window1().findChild<QAction*>("FileSavePlot")->trigger();
        return asked;
    }

    // Answers the page-setup dialog with `accept`, and the print dialog with a page of that
    // size, or with nothing when the width is 0.
    static void answerPrinting(bool accept, double width, double height, PageRecord& record) {
        PrinterSetup::PageSetupDialog().Replace([accept](QPrinter&) { return accept; });
        PrinterSetup::PrintDialog().Replace(
            [width, height,
             &record](std::shared_ptr<QPrinter>) -> std::unique_ptr<platform::Graphics> {
                if (width <= 0) return nullptr;
                return std::make_unique<RecordingPage>(width, height, record);
            });
    }

    // The locale's short date and short time, a blank between and after them.
    std::string stampAt(std::size_t moment) const {
        const QLocale locale;
        return (locale.toString(moments.at(moment).date(), QLocale::ShortFormat) + " " +
                locale.toString(moments.at(moment).time(), QLocale::ShortFormat) + " ")
            .toStdString();
    }

    // The clock shows moments[now]; a test moves it on where the user takes a while.
    std::vector<QDateTime> moments = {QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)),
                                      QDateTime(QDate(2027, 1, 2), QTime(23, 59, 1)),
                                      QDateTime(QDate(2027, 2, 3), QTime(8, 5, 0)),
                                      QDateTime(QDate(2027, 3, 4), QTime(10, 15, 0)),
                                      QDateTime(QDate(2027, 4, 5), QTime(12, 25, 0)),
                                      QDateTime(QDate(2027, 5, 6), QTime(14, 35, 0))};
    std::size_t now = 0;
    const platform::ScopedReplacement<QDateTime()> clock{platform::DateTime::Clock(),
                                                         [this] { return moments.at(now); }};
    Surface during{};
    QTemporaryDir folder;
    const platform::ScopedReplacement<PageSetupSignature> pageSetupDialog =
        unanswered(PrinterSetup::PageSetupDialog(), "page set-up");
    const platform::ScopedReplacement<PrintSignature> printDialog =
        unanswered(PrinterSetup::PrintDialog(), "print");
    const platform::ScopedReplacement<SaveSignature> saveDialog =
        unanswered(platform::SaveFileDialog(), "save");
};

int inkIn(const QImage& image, QRect area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) ink += qGray(image.pixel(x, y)) < 128;
    }
    return ink;
}

TEST_F(Printing, SavePlotWritesAPictureTwiceTheWindowsSize) {
    struct Case {
        int windowWidth, windowHeight;
        Surface drawn;
        int font;
    };
    const Case cases[] = {
        {800, 600, {1600, 1200, 4}, 30},
        {600, 800, {1200, 800, 2}, 20},   // taller than wide: the plot fills the upper half
        {700, 700, {1400, 1400, 4}, 35},  // square counts as wide
        {64, 64, {128, 128, 4}, 3},
    };
    for (const Case& c : cases) {
        resizePlot(c.windowWidth, c.windowHeight);
        const QString path = folder.filePath(QString("plot-%1.png").arg(c.windowWidth));
        drawings = 0;
        const auto asked = save(path);
        ASSERT_TRUE(asked);
        EXPECT_EQ(asked->mimeTypeFilters, QStringList{"image/png"});
        EXPECT_EQ(asked->defaultSuffix, "png");
        EXPECT_EQ(asked->defaultName, "NMR.png");
        EXPECT_EQ(during, c.drawn) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(surface(), (Surface{c.windowWidth, c.windowHeight, 1}));

        const QImage saved(path, "PNG");
        ASSERT_EQ(saved.size(), QSize(2 * c.windowWidth, 2 * c.windowHeight)) << path.toStdString();
        const int half = static_cast<int>(c.drawn.canvasheight);
        if (half < saved.height()) {
            EXPECT_EQ(inkIn(saved, QRect(0, half, saved.width(), saved.height() - half)), 0);
            EXPECT_EQ(saved.pixel(saved.width() / 2, saved.height() - 1), qRgb(255, 255, 255));
        }
        // The stamp stands in the top left corner, on the baseline at the font size.
        if (c.font >= 20) {
            EXPECT_GT(inkIn(saved, QRect(0, 0, 10 * c.font, c.font + 1)), 0);
            EXPECT_EQ(inkIn(saved, QRect(0, c.font + c.font / 2, 10 * c.font, c.font / 3)), 0);
        }
        settle();
        EXPECT_EQ(drawings, 1);
    }
}

TEST_F(Printing, SavedPlotShowsTheSpectrumWhereTheRendererPutsIt) {
    const QString path = folder.filePath("plot.png");
    save(path);
    const QImage saved(path, "PNG");
    // At 1600 columns and pf 4, 3.5 Hz lands 480 + 3.5 * 200 / 60 columns from the right.
    EXPECT_LT(qGray(saved.pixel(1108, 600)), 128);
    EXPECT_EQ(saved.pixel(800, 600), qRgb(255, 255, 255));
}

TEST_F(Printing, ACancelledSaveWritesNothingAndPutsTheScreenBack) {
    save(std::nullopt);
    EXPECT_EQ(during, (Surface{1600, 1200, 4}));
    EXPECT_EQ(surface(), (Surface{800, 600, 1}));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_TRUE(messages.messages.empty());
    settle();
    EXPECT_EQ(drawings, 1);
}

TEST_F(Printing, AFailedSaveIsReportedAndPutsTheScreenBack) {
    save(folder.filePath("no such folder/NMR.png"));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find("could not be saved"), std::string::npos);
    EXPECT_EQ(surface(), (Surface{800, 600, 1}));
}

// Where the disk fails the new file, Save Plot says that the picture could not be saved and
// keeps the file that was there. A full disk refuses a small picture and a large one alike
// (a writer that buffered would meet it at its last write or while it wrote); a network disk
// or a quota may take every byte and fail only the sync or the close.
TEST_F(Printing, ASaveTheDiskFailsIsReportedAndKeepsTheEarlierFile) {
    struct Case {
        const char* name;
        QSize window;
        std::optional<DiskFault> fault;  // without one, the disk is full
    };
    const Case cases[] = {
        {"full, a small picture", {64, 64}, std::nullopt},
        {"full, a large picture", {800, 600}, std::nullopt},
        {"sync fails", {800, 600}, DiskFault::SyncFails},
        {"close fails", {800, 600}, DiskFault::CloseFails},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        resizePlot(c.window.width(), c.window.height());
        const QString where =
            c.fault ? korva::test::failingFolder(folder.path(), *c.fault) : folder.path();
        const QString path = where + "/NMR.png";
        korva::test::writeFile(path, "the earlier picture");
        messages.messages.clear();
        {
            std::optional<korva::test::FileSizeLimit> full;
            if (!c.fault) full.emplace(0);
            ASSERT_TRUE(save(path));
        }
        // The small plot also warns that its peaks do not fit.
        const std::string error =
            "The picture could not be saved to \"" + path.toStdString() + "\"";
        EXPECT_EQ(std::count_if(messages.messages.begin(), messages.messages.end(),
                                [&](const std::string& m) { return m.starts_with(error); }),
                  1);
        EXPECT_EQ(korva::test::contentsOf(path), "the earlier picture");
        EXPECT_EQ(korva::test::filesIn(where), QStringList{"NMR.png"});
    }
}

TEST_F(Printing, APlotWindowTooWideForAPictureIsReportedAndPutsTheScreenBack) {
    resizePlot(16400, 600);
    drawings = 0;
    const auto asked = save(folder.filePath("wide.png"));
    EXPECT_FALSE(asked);  // refused before the dialog
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0],
              "A picture of 32800 by 1200 pixels cannot be made: each side must lie between 1 "
              "and 32767. Make the plot window smaller and save again.");
    EXPECT_EQ(surface(), (Surface{16400, 600, 1}));
    settle();
    EXPECT_EQ(drawings, 1);
}

TEST_F(Printing, PrintDrawsOnThePageWithItsOwnPlotAreaAndTheStamp) {
    struct Case {
        double width, height;
        Surface drawn;
        float font;
    };
    const Case cases[] = {
        {4800, 6400, {4800, 3200, 3}, 80},
        {6400, 4800, {6400, 4800, 5}, 120},
        {5000, 5000, {5000, 5000, 5}, 125},  // square counts as wide
        {4800, 6601, {4800, 3300, 3}, 83},   // half of an odd height, rounded down; 82.5 up
    };
    for (const Case& c : cases) {
        PageRecord page;
        answerPrinting(true, c.width, c.height, page);
        drawings = 0;
        Window1().findChild<QAction*>("FilePrint")->trigger();
        ASSERT_TRUE(page.printed);
        EXPECT_EQ(page.drawnWith, c.drawn) << c.width << "x" << c.height;
        ASSERT_FALSE(page.texts.empty());
        EXPECT_EQ(page.texts.back().text, stampAt(0));
        EXPECT_EQ(page.texts.back().x, 0.0);
        EXPECT_EQ(page.texts.back().y, c.font);
        EXPECT_EQ(page.texts.back().fontSize, c.font);
        EXPECT_EQ(std::count(page.calls.begin(), page.calls.end(), "fill"), 0);  // not cleared
        EXPECT_EQ(surface(), (Surface{800, 600, 1}));
        settle();
        EXPECT_EQ(drawings, 1);
    }
}

TEST_F(Printing, CancellingADialogEndsQuietly) {
    PageRecord page;
    answerPrinting(false, 4800, 6400, page);
    Window1().findChild<QAction*>("FilePrint")->trigger();
    EXPECT_TRUE(Module1::psettings.empty());
    EXPECT_FALSE(page.printed);

    answerPrinting(true, 0, 0, page);  // the page set-up accepted, the print dialog cancelled
    Window1().findChild<QAction*>("FilePrint")->trigger();
    EXPECT_NE(Module1::psettings.find("size="), std::string::npos);
    EXPECT_FALSE(page.printed);
    settle();
    EXPECT_EQ(drawings, 0);
    EXPECT_EQ(surface(), (Surface{800, 600, 1}));
}

TEST_F(Printing, TheNextJobStartsFromThePageSetUpAcceptedLast) {
    PrinterSetup::PageSetupDialog().Replace([](QPrinter& printer) {
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                          QMarginsF(7, 8.123456789, 9, 10),
                                          QPageLayout::Millimeter));
        return true;
    });
    PrinterSetup::PrintDialog().Replace([](std::shared_ptr<QPrinter>) { return nullptr; });
    Window1().findChild<QAction*>("FilePrint")->trigger();
    std::optional<QPageLayout> offered;
    PrinterSetup::PageSetupDialog().Replace([&](QPrinter& printer) {
        offered = printer.pageLayout();
        return false;
    });
    Window1().findChild<QAction*>("FilePrint")->trigger();
    ASSERT_TRUE(offered);
    EXPECT_EQ(offered->pageSize().id(), QPageSize::A5);
    EXPECT_EQ(offered->orientation(), QPageLayout::Landscape);
    EXPECT_EQ(offered->margins(QPageLayout::Millimeter), QMarginsF(7, 8.123456789, 9, 10));
}

// The stamp of a moment alone, in the top left quarter of a blank picture of that size,
// drawn in the font size and at the place that Save Plot gives it.
QImage stampAlone(const std::string& stamp, QSize size, float font) {
    platform::Picture picture(size.width(), size.height());
    picture.Graphics().FontSize(font);
    picture.Graphics().DrawText(stamp, 0, font);
    return picture.Image().copy(0, 0, size.width() / 2, size.height() / 2);
}

// The user takes a while in each dialog, and in the warning that not all peaks fit, which
// comes while the plot is drawn; the clock moves on with each answer. Both stamps still give
// the moment their command started.
TEST_F(Printing, BothStampsGiveTheMomentTheirCommandStarted) {
    Module1::SPECWIDTH = 1.0f;  // the lines near 3 ppm lie beyond a plot 1 ppm wide
    messages.onShow = [this](const std::string&) { ++now; };
    PageRecord page;
    PrinterSetup::PageSetupDialog().Replace([this](QPrinter&) { return ++now, true; });
    PrinterSetup::PrintDialog().Replace(
        [this, &page](std::shared_ptr<QPrinter>) -> std::unique_ptr<platform::Graphics> {
            ++now;
            return std::make_unique<RecordingPage>(4800, 6400, page);
        });
    Window1().findChild<QAction*>("FilePrint")->trigger();
    ASSERT_EQ(now, 3u);  // both dialogs and the warning were answered
    ASSERT_FALSE(page.texts.empty());
    EXPECT_EQ(page.texts.back().text, stampAt(0));

    const std::size_t started = now;
    const QString path = folder.filePath("plot.png");
    {
        const platform::ScopedReplacement dialog{
            platform::SaveFileDialog(), [&](const platform::SaveFileRequest&) {
                ++now;
                return std::optional<platform::FolderItem>(platform::FolderItem(path));
            }};
        Window1().findChild<QAction*>("FileSavePlot")->trigger();
    }
    ASSERT_EQ(now, started + 2);  // the warning and the dialog were answered
    // The top left quarter holds the stamp and nothing else.
    const QImage saved = QImage(path, "PNG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(saved.size(), QSize(1600, 1200));
    const QImage quarter = saved.copy(0, 0, 800, 600);
    const QImage atStart = stampAlone(stampAt(started), saved.size(), 30);
    ASSERT_FALSE(atStart == stampAlone(stampAt(now), saved.size(), 30)) << "stamps look alike";
    EXPECT_TRUE(quarter == atStart) << "the saved stamp is not " << stampAt(started);
}

// The widest run of the row that holds no ink, between its first and its last ink.
int widestGap(const QImage& image, int y, int left, int right) {
    int widest = 0, gap = 0;
    bool inked = false;
    for (int x = left; x <= right; ++x) {
        if (qGray(image.pixel(x, y)) < 128) {
            if (inked) widest = std::max(widest, gap);
            inked = true;
            gap = 0;
        } else {
            ++gap;
        }
    }
    return widest;
}

TEST_F(Printing, PrintingToAPdfFileGivesOnePageWithThePlot) {
    // Broadened lines leave columns shorter than the pen is wide beside them; on paper
    // these too must join the baseline.
    for (const float lineWidth : {0.0f, 10.0f, 40.0f}) {
        SCOPED_TRACE(lineWidth);
        Module1::s = lineWidth;
        const QString pdf = folder.filePath("plot.pdf");
        std::shared_ptr<QPrinter> used;
        PrinterSetup::PageSetupDialog().Replace([](QPrinter& printer) {
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
            return true;
        });
        PrinterSetup::PrintDialog().Replace([&](std::shared_ptr<QPrinter> printer) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            used = printer;
            return platform::PageGraphics(std::move(printer));
        });
        Window1().findChild<QAction*>("FilePrint")->trigger();
        // The page is drawn at 300 dots per inch: 190 mm of A4 inside 10 mm margins.
        ASSERT_TRUE(used);
        EXPECT_EQ(used->resolution(), 300);
        EXPECT_NEAR(used->width(), 190 / 25.4 * 300, 3);
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
        EXPECT_TRUE(messages.messages.empty());

        // The page as a printer puts it on paper, at the resolution it was drawn for.
        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        ASSERT_FALSE(pdftoppm.isEmpty()) << "pdftoppm (poppler-utils) renders the printed page";
        QProcess render;
        render.start(pdftoppm, {"-r", "300", "-gray", "-singlefile", pdf, folder.filePath("page")});
        ASSERT_TRUE(render.waitForFinished(60000));
        const QImage page(folder.filePath("page.pgm"));
        ASSERT_FALSE(page.isNull());
        const QRect plot = used->pageLayout().paintRectPixels(300);
        // Portrait: the plot takes the upper half of the page, pf 3; the baseline stands at
        // 92.5 % of that half, drawn as the columns' segments, at least a dot of the pen
        // each, from column 1 to column W.
        const int height = plot.height() / 2;
        const int baseline = plot.top() + static_cast<int>(height - 0.075 * height);
        int fullest = baseline;
        for (int y = baseline - 3; y <= baseline + 3; ++y) {
            if (inkIn(page, QRect(plot.left(), y, plot.width(), 1)) >
                inkIn(page, QRect(plot.left(), fullest, plot.width(), 1))) {
                fullest = y;
            }
        }
        EXPECT_GT(inkIn(page, QRect(plot.left(), fullest, plot.width(), 1)),
                  plot.width() * 99 / 100);
        EXPECT_EQ(widestGap(page, fullest, plot.left() + 1, plot.right()), 0);
        // Half way up, only the four AB lines, a pen wide or broadened, and nothing else.
        const int row = baseline - height / 2;
        const int ink = inkIn(page, QRect(plot.left(), row, plot.width(), 1));
        EXPECT_GE(ink, 4);
        EXPECT_LE(ink, lineWidth == 0 ? 4 * 6 : plot.width() / 10);
    }
}

// A printer that cannot start the page (here a PDF file in a folder that does not exist)
// is reported as the printer's, and the screen's plot area comes back.
TEST_F(Printing, APageThePrinterCannotStartIsReported) {
    PrinterSetup::PageSetupDialog().Replace([](QPrinter&) { return true; });
    PrinterSetup::PrintDialog().Replace([&](std::shared_ptr<QPrinter> printer) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(folder.filePath("no such folder/plot.pdf"));
        return platform::PageGraphics(std::move(printer));
    });
    Window1().findChild<QAction*>("FilePrint")->trigger();
    EXPECT_EQ(messages.messages, std::vector<std::string>{"The printer could not start the page."});
    EXPECT_EQ(surface(), (Surface{800, 600, 1}));
}

// The desktop's own dialogs open, belong to the plot window and can be cancelled; nothing
// is printed or saved.
TEST_F(Printing, TheRealDialogsOpenAndCancel) {
    PrinterSetup::PageSetupDialog().Replace({});
    PrinterSetup::PrintDialog().Replace({});
    platform::SaveFileDialog().Replace({});
    std::vector<QWidget*> owners;
    const auto owner = [&](QDialog& dialog) { owners.push_back(dialog.parentWidget()); };
    {
        ModalRobot robot(owner, QDialog::Rejected);
        Window1().findChild<QAction*>("FilePrint")->trigger();
        EXPECT_EQ(robot.answered, 1);
        EXPECT_TRUE(Module1::psettings.empty());
    }
    {
        PrinterSetup::PageSetupDialog().Replace([](QPrinter&) { return true; });
        ModalRobot robot(owner, QDialog::Rejected);  // the print dialog
        Window1().findChild<QAction*>("FilePrint")->trigger();
        EXPECT_EQ(robot.answered, 1);
    }
    {
        ModalRobot robot(
            [&](QDialog& dialog) {
                owner(dialog);
                // What the user sees: the type's name from the MIME database, and the
                // proposed name, to which the suffix is added when typed without one.
                const auto* files = qobject_cast<QFileDialog*>(&dialog);
                ASSERT_NE(files, nullptr);
                EXPECT_EQ(files->windowTitle(), "Save As");
                EXPECT_EQ(files->nameFilters(), QStringList{"PNG image (*.png)"});
                EXPECT_EQ(files->selectedNameFilter(), "PNG image (*.png)");
                EXPECT_EQ(QFileInfo(files->selectedFiles().value(0)).fileName(), "NMR.png");
                EXPECT_EQ(files->defaultSuffix(), "png");
            },
            QDialog::Rejected);
        Window1().findChild<QAction*>("FileSavePlot")->trigger();
        EXPECT_EQ(robot.answered, 1);
    }
    EXPECT_EQ(owners, std::vector<QWidget*>(3, &Window1()));
    EXPECT_EQ(surface(), (Surface{800, 600, 1}));
}

// The save dialog opens in the folder of the file saved last in this run; a dialog
// cancelled after the student went elsewhere leaves it so.
TEST_F(Printing, TheSaveDialogReopensInTheFolderSavedInLast) {
    platform::SaveFileDialog().Replace({});
    const QTemporaryDir elsewhere;
    std::vector<QString> openedIn;
    const auto saveWith = [&](const std::function<void(QFileDialog&)>& answer, int result) {
        ModalRobot robot(
            [&](QDialog& dialog) {
                auto* files = qobject_cast<QFileDialog*>(&dialog);
                ASSERT_NE(files, nullptr);
                openedIn.push_back(files->directory().absolutePath());
                answer(*files);
            },
            result);
        Window1().findChild<QAction*>("FileSavePlot")->trigger();
        EXPECT_EQ(robot.answered, 1);
    };
    const QString first = folder.filePath("first.png");
    saveWith([&](QFileDialog& files) { files.selectFile(first); }, QDialog::Accepted);
    ASSERT_FALSE(QImage(first, "PNG").isNull()) << "the first save wrote nothing";
    saveWith([&](QFileDialog& files) { files.setDirectory(elsewhere.path()); }, QDialog::Rejected);
    saveWith([](QFileDialog&) {}, QDialog::Rejected);
    ASSERT_EQ(openedIn.size(), 3u);
    EXPECT_EQ(openedIn[1], folder.path());
    EXPECT_EQ(openedIn[2], folder.path());
}

}  // namespace
