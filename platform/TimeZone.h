// The user's time zone: how far local time is ahead of UTC at a moment, so that a time
// given in UTC can be shown on the user's own day.
#pragma once

// Minutes that local time is ahead of UTC at the UTC moment (an OLE date and time).
int LocalUtcOffsetMinutes(double utcDateTime);
