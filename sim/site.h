#pragma once

#include "velocity_set.h"

class Site;

struct Link {
    Site* neighbour;  // this site for the rest link; null where the lattice ends
    float length;
    float f;
    float feq;
    float fpost;
};

// One lattice site with its nineteen links held inline, so that a site is a
// single fixed-size record.
class Site {
public:
    Site(float tracer, float linkScale);

    // Wires the link of direction (dx, dy, dz); never called with the rest triple.
    void setLink(int dx, int dy, int dz, Site* neighbour, float linkScale);

    void setTracer(float value) { tracer = value; }
    float getTracer() const { return tracer; }
    void setIsSource(bool flag) { isSource = flag; }
    bool getIsSource() const { return isSource; }

    // Sum of the populations over the links that have a neighbour.
    float computeDensity() const;
    // Population-weighted mean link length for the given density: a scalar.
    float computeSpeed(float density) const;

    // The velocity set, offered on the site for the lattice code's convenience.
    static constexpr DirectionIndex directionOf(int dx, int dy, int dz) {
        return ::directionOf(dx, dy, dz);
    }
    static constexpr DirectionIndex opposite(DirectionIndex i) { return ::opposite(i); }
    static constexpr float velocityLength(DirectionIndex i) { return ::velocityLength(i); }
    static constexpr float weight(DirectionIndex i) { return ::weight(i); }
    static constexpr float linearCoefficient(DirectionIndex i) { return ::linearCoefficient(i); }
    static constexpr float quadraticCoefficient(DirectionIndex i) {
        return ::quadraticCoefficient(i);
    }
    static constexpr float speedSquaredCoefficient(DirectionIndex i) {
        return ::speedSquaredCoefficient(i);
    }

    Link links[kDirectionCount];
    float density;
    float speed;

private:
    float tracer;
    bool isSource;
};
