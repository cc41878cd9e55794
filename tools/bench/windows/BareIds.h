// Resource and command numbers of the bare benchmark program; the Properties command has the
// calendar's number, so that the driver opens both sheets with the same message.
#pragma once

#define ID_BARE_PROPERTIES 32771
#define IDD_BARE_PAGE1 101
