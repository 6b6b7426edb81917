#pragma once

#include "site.h"

// The two halves of a step for one site. The result of a step is that of
// colliding every site before streaming any.

// Stores density and speed, then the equilibrium and post-collision value of
// every link, the links off the lattice included.
void collideSite(Site& site, float inverseTau);

// Hands each post-collision value to the tracer of the site its link leads to,
// keeps it as the link's population, raises the neighbour's facing link to it
// where it is strictly larger, and clears it.
void streamSite(Site& site);
