// A logic file that includes a window's header of its own subsystem.
#include "recording/form_playerlink.h"

bool openOn(vx::PlayerRecordsLink& link) { return link.openOnPlayer(1, QString()); }
