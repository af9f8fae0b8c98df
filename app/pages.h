// The three off-screen pages the views compose before they flip.
#pragma once

#include "render/dib_page.h"

extern DibPage g_bmpPage;   // the picture sheet as the canvas shows it
extern DibPage g_animPage;  // the animation and edit pages
extern DibPage g_selPage;   // scratch page for the selection strip's thumbnails
