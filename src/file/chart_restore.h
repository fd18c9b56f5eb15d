// Putting the charts read from a file into the chart store.
#pragma once

#include "chart_store.h"
#include "xml_reader.h"

// Gives every symbol and line of the chart a fresh uid, restores them (each
// symbol takes the lowest free slot), drops what cannot be connected and
// adds what was restored to the store's selection. The caller holds the lock.
void RestoreChart(CFlowObjectManager& store, int chart, const LoadedChart& loaded);
