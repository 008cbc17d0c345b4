// The process-wide "Show dBm" flag of the site survey's check box: 0 shows
// signals in percent (the start value), 1 in dBm. The link status page reads it.
#pragma once

extern int g_bShowDbm;
