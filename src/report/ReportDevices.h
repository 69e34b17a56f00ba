#pragma once

#include "design/CabinetDesign.h"
#include "report/DesignReport.h"

// The device list of a cabinet from its evaluation, worded for the
// customer: the losses line by line with the diversity factors used, the
// sum, each device's margin at its height and the critical device, and
// the methods and constants.
DevicesReportPart devicesPart(const DeviceListEvaluation& evaluation, const MainEvaluation& main);
