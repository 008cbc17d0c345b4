/* The yardstick of bench/startup.sh: the least a hand-written X client does to
 * show a skinned dialog. It maps a shaped 600 x 450 window (rounded corners cut
 * out by the shape extension), draws one string once the window is exposed,
 * waits until the server has done it, then writes an empty file at the path
 * given as its first argument (the sign of its first frame) and sleeps until
 * it is ended. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

enum { kWidth = 600, kHeight = 450, kCorner = 12 };

/* The window less its four corners, in y-x banded order: one rectangle per
 * row of the corner arcs and one for the straight middle. */
static int cornerInset(int y) {
  int dy = kCorner - y, inset = 0;
  while (inset < kCorner && (kCorner - inset) * (kCorner - inset) + dy * dy > kCorner * kCorner) ++inset;
  return inset;
}

static int shapeRects(XRectangle* rects) {
  int n = 0;
  for (int y = 0; y < kCorner; ++y) {
    XRectangle row = {(short)cornerInset(y), (short)y, (unsigned short)(kWidth - 2 * cornerInset(y)), 1};
    rects[n++] = row;
  }
  XRectangle middle = {0, kCorner, kWidth, kHeight - 2 * kCorner};
  rects[n++] = middle;
  for (int y = kCorner - 1; y >= 0; --y) {
    XRectangle row = {(short)cornerInset(y), (short)(kHeight - 1 - y), (unsigned short)(kWidth - 2 * cornerInset(y)), 1};
    rects[n++] = row;
  }
  return n;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s FRAME_FILE\n", argv[0]);
    return 2;
  }
  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "rawclient: cannot open the display\n");
    return 1;
  }
  int screen = DefaultScreen(d);
  Window w = XCreateSimpleWindow(d, RootWindow(d, screen), 100, 100, kWidth, kHeight, 0, BlackPixel(d, screen),
                                 WhitePixel(d, screen));
  XStoreName(d, w, "Raw client");
  XRectangle rects[2 * kCorner + 1];
  XShapeCombineRectangles(d, w, ShapeBounding, 0, 0, rects, shapeRects(rects), ShapeSet, YXBanded);
  XSelectInput(d, w, ExposureMask);
  XMapWindow(d, w);
  GC gc = XCreateGC(d, w, 0, NULL);
  XSetForeground(d, gc, BlackPixel(d, screen));
  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == Expose && e.xexpose.count == 0) break;
  }
  static const char kText[] = "Wireless network device";
  XDrawString(d, w, gc, 40, 60, kText, (int)strlen(kText));
  XSync(d, False);
  int fd = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) {
    perror("rawclient: frame file");
    return 1;
  }
  close(fd);
  for (;;) pause();
}
