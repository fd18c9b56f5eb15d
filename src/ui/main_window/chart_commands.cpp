// The main window's commands on the charts themselves: the chart check with
// its findings in the message area, and writing a chart as a picture.
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas/editor_context.h"
#include "canvas/work_area.h"
#include "common/command_ids.h"
#include "file_dialogs.h"
#include "finding_text.h"
#include "main_window/main_window.h"
#include "notifier.h"
#include "print/chart_picture.h"
#include "store_check.h"

namespace {
constexpr const char* kPictureFilter = "PNG 画像 (*.png)|*.png|SVG 画像 (*.svg)|*.svg||";
}  // namespace

void CQenDlg::CheckCharts(CheckOccasion occasion) {
    const std::vector<ChartFinding> findings = CheckStore(state_.store);
    if (findings.empty() && occasion == CheckOccasion::BeforeTransfer) return;
    messages_.AddMessage(CheckSummaryText(findings.size()));
    for (const ChartFinding& finding : findings)
        messages_.AddMessage(FindingLine(finding), {finding.chart, finding.uid});
}

bool CQenDlg::ShowPlaceAt(QPoint viewportPoint) {
    const std::optional<MessagePlace> place = messages_.PlaceAt(viewportPoint);
    if (!place) return false;
    ShowPlace(*place);
    return true;
}

void CQenDlg::ShowPlace(const MessagePlace& place) {
    workArea_->SwitchPage(0);
    // Only the normal view shows a selected symbol.
    if (state_.wholeView) OnCommand(CommandId::NormalView);
    workArea_->ShowPlace(place.chart, place.uid);
    UpdateButtons();
}

void CQenDlg::ExportPicture() {
    const int chart = state_.currentChart;
    if (PictureArea(state_.store, chart).isEmpty()) {
        alerts_.ShowMessage(PictureText::EmptyChart);
        return;
    }
    // The picture is offered under the document's name.
    const std::string initialName =
        state_.fileName.empty()
            ? std::string()
            : std::filesystem::path(state_.fileName).replace_extension(".png").string();
    const FileDialogRequest request{"png", initialName, kPictureFilter, true};
    const std::optional<std::string> path = dialogs_.ChooseSavePath(request);
    if (!path) return;
    const QString file = QString::fromStdString(*path);
    const std::optional<PictureFormat> format = PictureFormatOf(file);
    if (!format) {
        alerts_.ShowMessage(PictureText::UnknownType);
        return;
    }
    if (WriteChartPicture(file, *format, state_.store, resources_, chart) == PictureResult::Written)
        messages_.AddMessage(PictureWrittenText(*path));
    else
        alerts_.ShowError(PictureText::NotWritten);
}
