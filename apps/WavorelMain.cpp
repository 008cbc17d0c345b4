// The program: its one application object and the entry that hands over to
// the application framework.
#include "frontend/WavorelApp.h"

CWavorelApp theApp;

int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
