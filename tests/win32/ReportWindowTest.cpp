// The frequency report shown for real over a settings file of the test's own,
// driven from a timer while it runs: sorting, the group choice, the popup
// menu's commands, and the exports, the Excel one against a recording
// automation server registered for "Excel.Application" in this Wine prefix.
#include "dialogs/ReportWindow.h"

#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

#include "dialogs/ReportWeekBars.h"
#include "rules/FrequencyReport.h"
#include "rules/Scale.h"
#include "shell/Win32Shell.h"
#include "support/ButtonFiles.h"
#include "support/FakePrompt.h"
#include "support/FakeShell.h"
#include "support/FixedClock.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/Dpi.h"
#include "win32/ImageDecoder.h"
#include "win32/Utf16.h"
#include "win32/Win32FileSystem.h"

namespace tavrin {
namespace {

using testing::ButtonXml;
using testing::TempFolder;

std::wstring CellText(HWND list, int row, int column) {
    wchar_t text[512]{};
    ListView_GetItemText(list, row, column, text, 512);
    return text;
}

std::wstring Column(HWND list, int column) {
    std::wstring texts;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) texts += CellText(list, row, column) + L"|";
    return texts;
}

void Click(HWND report, int id) { SendMessageW(report, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

class ReportWindowTest : public ::testing::Test {
protected:
    ReportWindowTest() {
        testing::InitWindowControls();
        testing::WriteBytes(commaFile_, "x");
        testing::WriteBytes(cyrillicFile_, "x");
        // Wednesday's 4 starts of 101 are the largest day; its Thursday's 9 were last week's.
        testing::WriteBytes(
            settings_,
            testing::SettingsXml(
                ButtonXml(101, {{"Command", commaFile_},
                                {"TotolRunTimes", "1"},
                                {"Day0", "2"},
                                {"Day0Week", "5"},
                                {"Day2", "4"},
                                {"Day2Week", "5"},
                                {"Day3", "9"},
                                {"Day3Week", "4"}}) +
                ButtonXml(102, {{"Command", cyrillicFile_}, {"TotolRunTimes", "2"}, {"Day2", "1"}, {"Day2Week", "5"}}) +
                ButtonXml(201, {{"Command", folder_.Path()}}) + ButtonXml(202, {{"Command", folder_ / "gone.exe"}})));
    }

    // Shows the report; once it is up, `use` runs on it and the report is closed.
    void Run(std::function<void(HWND report)> use) {
        use_ = std::move(use);
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
            const HWND report = FindWindowW(L"#32770", L"Frequency Report");
            if (!report || !IsWindowVisible(report) || !use_) return;
            const auto use = std::exchange(use_, nullptr);
            use(report);
            PostMessageW(report, WM_COMMAND, IDOK, 0);
        });
        ShowReportWindow(nullptr, services_);
        KillTimer(nullptr, timer);
        EXPECT_FALSE(use_) << "the report did not show";
    }

    TempFolder folder_;
    const std::string settings_ = folder_ / "TV_alice.xml";
    const std::string commaFile_ = folder_ / "a,b.txt";
    const std::string cyrillicFile_ = folder_ / "Отчёт 日本.txt";
    Win32FileSystem fs_;
    testing::FakeEnvironment environment_{"tavrin.exe", "alice"};
    Win32Shell realShell_;  // the icons and type names of the rows
    testing::FakePrompt prompt_;
    testing::FixedClock clock_{{2024, 1, 31}};
    ButtonStore store_{StorageServices{fs_, environment_, realShell_, prompt_, clock_, settings_}};
    testing::FakeShell shell_;  // the starts the report asks for
    std::vector<SaveFileChoice> choices_;
    std::optional<std::string> answer_;
    ReportServices services_{store_,
                             {"Work, \"home\"", "Игры"},
                             shell_,
                             fs_,
                             clock_,
                             folder_.Path(),
                             [this](HWND, const SaveFileChoice& choice) {
                                 choices_.push_back(choice);
                                 return answer_;
                             }};
    static inline std::function<void(HWND)> use_;
};

// Also run at 150 %, for its pictures.
class ReportWindowScaledTest : public ReportWindowTest {};

TEST_F(ReportWindowScaledTest, ListsSortsAndExportsTheCountedButtons) {
    // The picture and the CSV file at 96 DPI are the ones kept and checked.
    const std::string csv = testing::ArtifactPath(GetDpiForSystem() == kBaseDpi ? "report.csv" : "report-144dpi.csv");
    answer_ = csv;
    Run([&](HWND report) {
        const HWND list = GetDlgItem(report, kReportList);
        const int dpi = DpiOf(report);
        EXPECT_EQ(ListView_GetColumnWidth(list, 0), Scaled(150, dpi));
        EXPECT_EQ(ListView_GetColumnWidth(list, 9), Scaled(200, dpi));
        int iconWidth = 0;
        int iconHeight = 0;
        ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_SMALL), &iconWidth, &iconHeight);
        EXPECT_EQ(iconWidth, Scaled(16, dpi));
        // All groups, largest total first; the share of a button without starts is empty.
        EXPECT_EQ(Column(list, 2), L"102|101|201|202|");
        EXPECT_EQ(Column(list, 7), L"66.67%|33.33%|||");
        EXPECT_EQ(CellText(list, 0, 0), L"Отчёт 日本.txt");
        EXPECT_EQ(CellText(list, 1, 1), L"Work, \"home\"");
        EXPECT_EQ(CellText(list, 3, 0), L"gone.exe (missing)");
        EXPECT_NE(CellText(list, 0, 8), L"");  // the shell's type name
        EXPECT_EQ(SendMessageW(GetDlgItem(report, kReportGroups), CB_GETCOUNT, 0, 0), 4);
        // A letter typed on the list selects the next file name that begins with it.
        SetFocus(list);
        SendMessageW(list, WM_CHAR, L'G', 1);  // one press
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 3);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        UpdateWindow(report);
        testing::PumpMessages(300);
        testing::SaveWindowPicture(report, testing::ArtifactPath(dpi == kBaseDpi ? "report.png" : "report-144dpi.png"));

        // The bars as drawn: Wednesday's 4 starts of 101 fill the height, each
        // other day in proportion, last week's Thursday not at all; the chart
        // adds the rows up to 2 on Monday and 5 on Wednesday.
        const auto drawn = [report](int row) {
            DrawnBars bars{};
            EXPECT_TRUE(SendMessageW(report, kReportDrawnBarsMessage, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(&bars)))
                << row;
            return bars;
        };
        const DrawnBars busiest = drawn(1);
        const int full = busiest[2];
        EXPECT_GE(full, Scaled(8, dpi));
        EXPECT_EQ(busiest, (DrawnBars{(full + 1) / 2, 0, full, 0, 0, 0, 0}));
        EXPECT_NEAR(drawn(0)[2], full / 4.0, 0.5);
        EXPECT_EQ(drawn(2), DrawnBars{});
        const DrawnBars chart = drawn(-1);
        EXPECT_GT(chart[2], full);
        EXPECT_NEAR(chart[0], chart[2] * 2 / 5.0, 0.5);
        EXPECT_EQ(chart[1] + chart[3] + chart[4] + chart[5] + chart[6], 0);
        wchar_t tip[128]{};
        NMLVGETINFOTIPW ask{{list, kReportList, LVN_GETINFOTIPW}, 0, tip, 128, 1, 0, 0};
        SendMessageW(report, WM_NOTIFY, kReportList, reinterpret_cast<LPARAM>(&ask));
        EXPECT_STREQ(tip, L"Mon 2, Tue 0, Wed 4, Thu 0, Fri 0, Sat 0, Sun 0");

        // Only the button whose target is gone, with the mark as its picture.
        SendMessageW(GetDlgItem(report, kReportGroups), CB_SETCURSEL, kMissingTargetsEntry, 0);
        SendMessageW(report, WM_COMMAND, MAKEWPARAM(kReportGroups, CBN_SELCHANGE), 0);
        EXPECT_EQ(Column(list, 0), L"gone.exe (missing)|");
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        EXPECT_TRUE(ListView_GetItem(list, &item));
        EXPECT_GE(item.iImage, 0);

        // Total again turns the order round; the second group alone, then all groups again.
        NMLISTVIEW click{};
        click.hdr = {list, kReportList, LVN_COLUMNCLICK};
        click.iItem = -1;
        click.iSubItem = kReportTotalColumn;
        SendMessageW(GetDlgItem(report, kReportGroups), CB_SETCURSEL, kAllGroupsEntry, 0);
        SendMessageW(report, WM_COMMAND, MAKEWPARAM(kReportGroups, CBN_SELCHANGE), 0);
        SendMessageW(report, WM_NOTIFY, kReportList, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(Column(list, 2), L"201|202|101|102|");
        SendMessageW(GetDlgItem(report, kReportGroups), CB_SETCURSEL, kFirstGroupEntry + 1, 0);
        SendMessageW(report, WM_COMMAND, MAKEWPARAM(kReportGroups, CBN_SELCHANGE), 0);
        EXPECT_EQ(Column(list, 1), L"Игры|Игры|");
        SendMessageW(GetDlgItem(report, kReportGroups), CB_SETCURSEL, kAllGroupsEntry, 0);
        SendMessageW(report, WM_COMMAND, MAKEWPARAM(kReportGroups, CBN_SELCHANGE), 0);
        EXPECT_EQ(Column(list, 2), L"201|202|101|102|");

        // 731 x 521 with its frame; the list grows with the window, Close keeps to the bottom right corner.
        RECT frame{};
        GetWindowRect(report, &frame);
        EXPECT_EQ(frame.right - frame.left, Scaled(731, dpi));
        EXPECT_EQ(frame.bottom - frame.top, Scaled(521, dpi));
        RECT listBefore{};
        GetWindowRect(list, &listBefore);
        SetWindowPos(report, nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50,
                     SWP_NOMOVE | SWP_NOZORDER);
        RECT listAfter{};
        GetWindowRect(list, &listAfter);
        EXPECT_EQ(listAfter.right - listAfter.left, listBefore.right - listBefore.left + 100);
        EXPECT_EQ(listAfter.bottom - listAfter.top, listBefore.bottom - listBefore.top + 50);
        RECT client{};
        GetClientRect(report, &client);
        RECT close{};
        GetWindowRect(GetDlgItem(report, IDOK), &close);
        MapWindowPoints(nullptr, report, reinterpret_cast<POINT*>(&close), 2);
        EXPECT_EQ(client.right - close.right, Scaled(8, dpi));
        EXPECT_EQ(client.bottom - close.bottom, Scaled(8, dpi));

        ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
        Click(report, kReportCopyPath);
        Click(report, kReportOpenInExplorer);
        Click(report, kReportExportCsv);
    });
    ASSERT_EQ(choices_.size(), 1u);
    EXPECT_EQ(choices_[0], (SaveFileChoice{folder_.Path(), "Tavrin report(20240131).csv",
                                           "cvs files(*.csv)|*.csv|Text file(*.txt)|*.txt", "csv"}));
    // Wine's clipboard manager may hold the clipboard a moment after a copy.
    ASSERT_TRUE(testing::WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }));
    const auto* copied = static_cast<const wchar_t*>(GetClipboardData(CF_UNICODETEXT));
    EXPECT_EQ(copied ? Narrow(copied) : "", commaFile_);
    CloseClipboard();
    ASSERT_EQ(shell_.requests.size(), 2u);
    EXPECT_EQ(shell_.requests[0], (ExecuteRequest{ExecuteOwner::Desktop, "explore", folder_.Path(), "", "", 1}));
    EXPECT_EQ(shell_.requests[1], (ExecuteRequest{ExecuteOwner::Application, "open", csv, {}, {}, 5}));
    // The bytes are read back by Python's csv module in a test of its own; here the start of them.
    EXPECT_TRUE(
        testing::ReadBytes(csv).starts_with("\xEF\xBB\xBF"
                                            "File,Group,Index,Today,Week,Total,Per,Type,Full Path\r\n"));
}

// The picture is drawn from the rows: as wide as the list's columns, a line
// of captions and one per row under the chart, today's bar in the highlight colour.
TEST_F(ReportWindowTest, ThePictureHoldsTheChartAndTheVisibleRows) {
    answer_ = testing::ArtifactPath("report-picture.png");
    int columnsWidth = 0;
    Run([&](HWND report) {
        const HWND list = GetDlgItem(report, kReportList);
        for (int column = 0; column < kReportListColumnCount; ++column) {
            columnsWidth += ListView_GetColumnWidth(list, column);
        }
        Click(report, kReportExportPicture);
    });
    ASSERT_EQ(choices_.size(), 1u);
    EXPECT_EQ(choices_[0].proposedName, "Tavrin report(20240131).png");
    ASSERT_EQ(shell_.requests.size(), 1u);
    const DecodedImage picture = DecodePng(testing::ReadBytes(*answer_));
    EXPECT_EQ(picture.width, columnsWidth);
    EXPECT_GT(picture.height, kReportChartSize.cy + 5 * 13);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const std::uint32_t today =
        0xFF000000u | GetRValue(highlight) << 16 | GetGValue(highlight) << 8 | GetBValue(highlight);
    EXPECT_GT(std::count(picture.pixels.begin(), picture.pixels.end(), today), 30 * 8);
}

// The real save dialog, answered from a timer.
TEST(ReportSaveDialogTest, ProposesTheNameOffersTheTypesAndAddsTheExtension) {
    TempFolder folder;
    static std::wstring proposed;
    static std::wstring types;
    proposed.clear();
    types.clear();
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND dialog = FindWindowW(L"#32770", nullptr);
        if (!dialog || !IsWindowVisible(dialog) || !GetDlgItem(dialog, cmb1)) return;
        KillTimer(nullptr, timer);
        wchar_t text[MAX_PATH]{};
        // The file name is typed into the edit field of a combo box.
        const HWND name = FindWindowExW(GetDlgItem(dialog, cmb13), nullptr, nullptr, nullptr);
        const HWND nameEdit = FindWindowExW(name, nullptr, L"Edit", nullptr);
        GetWindowTextW(nameEdit, text, MAX_PATH);
        proposed = text;
        for (int type = 0; SendDlgItemMessageW(dialog, cmb1, CB_GETLBTEXT, type, reinterpret_cast<LPARAM>(text)) > 0;
             ++type) {
            types += std::wstring(text) + L"|";
        }
        SetWindowTextW(nameEdit, L"chosen");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::optional<std::string> chosen = ChooseSaveFileName(
        nullptr,
        {folder.Path(), "Tavrin report(20240131).csv", "cvs files(*.csv)|*.csv|Text file(*.txt)|*.txt", "csv"});
    EXPECT_EQ(proposed, L"Tavrin report(20240131).csv");
    EXPECT_EQ(types, L"cvs files(*.csv)|Text file(*.txt)|");
    EXPECT_EQ(chosen, folder / "chosen.csv");
}

TEST_F(ReportWindowTest, ACsvFileThatCannotBeWrittenIsReportedAndStillOpened) {
    answer_ = folder_ / "missing folder\\out.csv";
    static bool errorShown;
    errorShown = false;
    Run([&](HWND report) {
        // The message box runs a loop of its own, which calls this.
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
            const HWND tip = FindWindowW(L"#32770", L"tip");
            if (!tip) return;
            errorShown = FindWindowExW(tip, nullptr, L"Static", L"Export to file error!") != nullptr;
            PostMessageW(tip, WM_COMMAND, IDOK, 0);
        });
        Click(report, kReportExportCsv);
        KillTimer(nullptr, timer);
    });
    EXPECT_TRUE(errorShown);
    ASSERT_EQ(shell_.requests.size(), 1u);
    EXPECT_EQ(shell_.requests[0].file, *answer_);
}

// The recording server's class, registered while a test needs it. Wine's COM
// looks classes up in HKEY_CLASSES_ROOT only, without the user's own classes,
// so it goes there, into the machine part of the test prefix's registry.
constexpr wchar_t kRecorderClass[] = L"{6E1C2A61-4B0D-4F7E-9A52-7D3C1B2E8F40}";

void SetKeyValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    ASSERT_EQ(RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

class ExcelExportTest : public ReportWindowTest {
protected:
    ExcelExportTest() {
        Unregister();  // what a test cut off may have left
        unique_hkey office;
        officeKeyMade_ = RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office", 0, KEY_READ, office.put()) !=
                         ERROR_SUCCESS;
        if (officeKeyMade_) {
            SetKeyValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office", L"Test", L"made by the report's test");
        }
        SetEnvironmentVariableW(L"TAVRIN_EXCEL_LOG", Widen(log_).c_str());
    }
    ~ExcelExportTest() override {
        Unregister();
        if (officeKeyMade_) RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office");
        SetEnvironmentVariableW(L"TAVRIN_EXCEL_LOG", nullptr);
        SetEnvironmentVariableW(L"TAVRIN_EXCEL_FAIL", nullptr);
        SetEnvironmentVariableW(L"TAVRIN_EXCEL_CLICK", nullptr);
    }

    void Register() {
        SetKeyValue(HKEY_CLASSES_ROOT, L"Excel.Application\\CLSID", nullptr, kRecorderClass);
        const std::wstring server = std::wstring(L"CLSID\\") + kRecorderClass + L"\\InprocServer32";
        SetKeyValue(HKEY_CLASSES_ROOT, server, nullptr, Widen(TAVRIN_RECORDING_EXCEL));
        SetKeyValue(HKEY_CLASSES_ROOT, server, L"ThreadingModel", L"Apartment");
    }
    static void Unregister() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Excel.Application");
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kRecorderClass).c_str());
    }

    // Exports once; the calls the server received, a line each.
    std::vector<std::string> Export(std::vector<std::wstring>* rows = nullptr) {
        std::remove(log_.c_str());
        Run([&](HWND report) {
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(report, kReportExportExcel)));
            const HWND list = GetDlgItem(report, kReportList);
            // The cells of the exported columns: without the week bars, and a
            // file's name without the mark of a missing target.
            for (int row = 0; rows && row < ListView_GetItemCount(list); ++row) {
                for (int column = 0; column < kReportListColumnCount; ++column) {
                    std::wstring text = CellText(list, row, column);
                    if (column == 0 && text.ends_with(L" (missing)")) text.resize(text.size() - 10);
                    if (column != kReportWeekBarsColumn) rows->push_back(text);
                }
            }
            Click(report, kReportExportExcel);
            EXPECT_FALSE(FindWindowW(nullptr, L"Exporting report to file, please wait..."));
        });
        std::vector<std::string> lines;
        std::ifstream file(log_, std::ios::binary);
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }

    static void RememberError(HWND, const std::string& text) { errors_.push_back(text); }

    const ComInitScope com_;
    const std::string log_ = folder_ / "excel.log";
    bool officeKeyMade_ = false;
    static inline std::vector<std::string> errors_;
};

TEST_F(ExcelExportTest, TheWorkbookIsWrittenThroughTheServerCallByCall) {
    Register();
    const std::string workbook = folder_ / "out.xls";
    answer_ = workbook;
    std::vector<std::wstring> cells;
    const std::vector<std::string> calls = Export(&cells);

    // The wait box shows from the first call after "visible" until the workbook is saved.
    std::vector<std::string> expected = {"Excel.Application: put visible(false)",
                                         "Excel.Application: get WorkBooks() (waiting)",
                                         "WorkBooks(): call Add() (waiting)"};
    for (int column = 1; column <= 9; ++column) {
        const std::string cell = "Cells(1," + std::to_string(column) + ")";
        expected.push_back("Excel.Application: get " + cell + " (waiting)");
        expected.push_back(cell + ": put Value(\"" + kReportColumns[column - 1].caption + "\") (waiting)");
    }
    ASSERT_EQ(cells.size(), 36u);
    for (size_t i = 0; i < cells.size(); ++i) {
        const std::string cell = "cells(" + std::to_string(i / 9 + 2) + "," + std::to_string(i % 9 + 1) + ")";
        expected.push_back("Excel.Application: get " + cell + " (waiting)");
        expected.push_back(cell + ": put value(\"" + Narrow(cells[i]) + "\") (waiting)");
    }
    expected.push_back("Excel.Application: get ActiveWorkBook()");
    expected.push_back("ActiveWorkBook(): call SaveAs(\"" + workbook + "\")");
    expected.push_back("Excel.Application: call quit()");
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(choices_.at(0),
              (SaveFileChoice{folder_.Path(), "Tavrin report(20240131).xls", "Excel file(*.xls)|*.xls", "xls"}));
    ASSERT_EQ(shell_.requests.size(), 1u);
    EXPECT_EQ(shell_.requests[0], (ExecuteRequest{ExecuteOwner::Application, "open", workbook, {}, {}, 5}));
}

TEST_F(ExcelExportTest, AClickWhileExcelWorksStartsNoSecondExport) {
    Register();
    SetEnvironmentVariableW(L"TAVRIN_EXCEL_CLICK", L"Add");
    answer_ = folder_ / "out.xls";
    const std::vector<std::string> calls = Export();
    EXPECT_EQ(choices_.size(), 1u);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "WorkBooks(): call Add() (waiting)"), 1);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "Excel.Application: call quit()");
    EXPECT_EQ(shell_.requests.size(), 1u);
}

TEST_F(ExcelExportTest, AFailingCallStillQuitsExcelAndIsShownAsAnError) {
    Register();
    SetEnvironmentVariableW(L"TAVRIN_EXCEL_FAIL", L"Add");
    answer_ = folder_ / "out.xls";
    errors_.clear();
    const ErrorDisplay previous = SetErrorDisplay(RememberError);
    const std::vector<std::string> calls = Export();
    SetErrorDisplay(previous);
    // The wait box is gone before Excel is told to quit.
    EXPECT_EQ(calls, (std::vector<std::string>{"Excel.Application: put visible(false)",
                                               "Excel.Application: get WorkBooks() (waiting)",
                                               "WorkBooks(): call Add() (waiting)", "Excel.Application: call quit()"}));
    EXPECT_EQ(errors_, std::vector<std::string>{"Excel refused Add."});
    EXPECT_TRUE(shell_.requests.empty());
}

TEST_F(ExcelExportTest, WithoutAServerTheExportEndsSilently) {
    answer_ = folder_ / "out.xls";
    errors_.clear();
    const ErrorDisplay previous = SetErrorDisplay(RememberError);
    EXPECT_TRUE(Export().empty());
    SetErrorDisplay(previous);
    EXPECT_EQ(choices_.size(), 1u);
    EXPECT_TRUE(errors_.empty());
    EXPECT_TRUE(shell_.requests.empty());
}

}  // namespace
}  // namespace tavrin
