#pragma once

#include <QString>
#include <optional>

#include "design/CabinetDesign.h"
#include "project/Project.h"
#include "report/DesignReport.h"

// The temperature-rise verification of a cabinet, from its kept inputs and
// their evaluation: the inputs, the factors, the rises, the air
// temperatures, the verdict, the notes and the method's constants, worded
// for the customer.
RiseReportPart risePart(const Cabinet& cabinet, const RiseEvaluation& evaluation);

// The verdict of the temperature rise a cabinet's kept inputs of that window
// give ("적합" or "부적합", marked as a reference beyond the method's
// conditions), computed by the same calculation; none when the
// cabinet keeps no such inputs or they give no verdict.
std::optional<QString> riseVerdictOfInputs(const WindowInputs& inputs);
