#pragma once

#include <QString>
#include <optional>

#include "project/Project.h"
#include "report/DesignReport.h"

class frmRise;

// The temperature-rise window's part of the report, from what the window
// shows now: its inputs, the factors, the rises, the air temperatures, the
// verdict, the notes and the method's constants, worded for the customer.
RiseReportPart risePart(const frmRise& window);

// The verdict of the temperature rise a cabinet's kept inputs of that window
// give ("적합" or "부적합", marked as a reference beyond the method's
// conditions), computed by the same calculation; none when the
// cabinet keeps no such inputs or they give no verdict.
std::optional<QString> riseVerdictOfInputs(const WindowInputs& inputs);
