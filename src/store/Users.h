#pragma once

class TDM;

// The Users table says when each login user of this computer last started
// and left the program; LastOut is empty while it runs.
void RecordUserIn(TDM &dm);
void RecordUserOut(TDM &dm);
