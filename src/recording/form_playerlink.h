#pragma once
// The individual-records window as the score entry opens it on the current slot's player. That
// window belongs to a later subsystem: the score entry reaches it by name and then through this.
#include <QString>

namespace vx {

class PlayerRecordsLink {
public:
    // Puts the window on this player with an empty card; false, with nothing changed, when its
    // player list has no such player.
    virtual bool openOnPlayer(int playerId, const QString& name) = 0;

protected:
    ~PlayerRecordsLink() = default;
};

}  // namespace vx
