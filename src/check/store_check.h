// The chart check over the chart store: the editor's and qen-cli's way in.
#pragma once

#include <vector>

#include "chart_check.h"

class CFlowObjectManager;

// The live symbols of all four charts as one consistent snapshot, their
// exits resolved to program slots exactly as the program image gets them.
std::vector<CheckSymbol> CollectCheckSymbols(const CFlowObjectManager& store);

std::vector<ChartFinding> CheckStore(const CFlowObjectManager& store);
