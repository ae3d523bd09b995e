#pragma once
#include "platform/Path.h"

#include "settings/ParameterDataset.h"

namespace settings {

// Builds ConfRede.xml, the network document handed to the device, from the
// current parameter record and writes it into `folder`, replacing any earlier
// one. A `proxy` that is not a whole number throws ConversionError before
// anything is written.
void geraxml(const ParameterDataset& cds, const platform::Path& folder);

}  // namespace settings
