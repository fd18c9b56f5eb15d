// The main window's part of the measurement tool: the hidden window it makes first.
#include "drawing_resources.h"
#include "editor_context.h"
#include "main_window.h"
#include "measure_window.h"

void CQenDlg::CreateMeasurementTool() {
    measurementDialogs_ = std::make_unique<MeasurementDialogs>(dialogs_);
    measurement_ = new CDlgToolMeasurement({state_.temperature, state_.light}, resources_,
                                           *measurementDialogs_, alerts_, this);
    measurementDialogs_->SetParent(measurement_);
}
