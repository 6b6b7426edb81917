#include "lattice.h"

#include <gtest/gtest.h>

#include <unordered_map>

#include "lattice_fixture.h"

namespace {

struct Position {
    int column, row, plane;
};

// The triple of each direction, read back from directionOf.
std::array<std::array<int, 3>, kDirectionCount> velocities() {
    std::array<std::array<int, 3>, kDirectionCount> result{};
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dz = -1; dz <= 1; ++dz) {
                const DirectionIndex i = directionOf(dx, dy, dz);
                if (i >= 0) result[i] = {dx, dy, dz};
            }
        }
    }
    return result;
}

bool inside(int coordinate) { return coordinate >= 0 && coordinate < kLatticeSize; }

using Lattice = SharedVolume;

TEST(Plane, SiteAtIsRowMajorWithColumnFirst) {
    const Plane plane(0.5f);
    EXPECT_EQ(plane.siteAt(0, 0), plane.sites[0].get());
    EXPECT_EQ(plane.siteAt(1, 0), plane.sites[1].get());
    EXPECT_EQ(plane.siteAt(0, 1), plane.sites[50].get());
    EXPECT_EQ(plane.siteAt(49, 49), plane.sites[2499].get());
}

TEST(Plane, NewPlaneHasOnlyItsInPlaneLinks) {
    const Plane plane(0.5f);
    const Site* site = plane.siteAt(10, 20);
    EXPECT_EQ(site->links[2].neighbour, plane.siteAt(9, 20));
    EXPECT_EQ(site->links[3].neighbour, plane.siteAt(10, 19));
    EXPECT_EQ(site->links[11].neighbour, plane.siteAt(9, 21));
    EXPECT_EQ(site->links[14].neighbour, plane.siteAt(11, 21));
    for (DirectionIndex i : {1, 6, 7, 8, 9, 10, 15, 16, 17, 18}) {
        EXPECT_EQ(site->links[i].neighbour, nullptr) << i;
    }
}

TEST_F(Lattice, EveryLinkLeadsToItsNeighbourOrIsNullOffTheCube) {
    std::unordered_map<const Site*, Position> positions;
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        for (int row = 0; row < kLatticeSize; ++row) {
            for (int column = 0; column < kLatticeSize; ++column) {
                positions[at(column, row, plane)] = {column, row, plane};
            }
        }
    }
    ASSERT_EQ(positions.size(), 125000u);

    const auto e = velocities();
    int sitesWithNullLink = 0;
    int nullLinks = 0;
    int wiredLinks = 0;
    int nullPerDirection[kDirectionCount] = {};
    int wrong = 0;
    for (const auto& [site, p] : positions) {
        if (site->links[0].neighbour != site) ++wrong;
        bool hasNull = false;
        for (DirectionIndex i = 1; i < kDirectionCount; ++i) {
            const Link& link = site->links[i];
            const int column = p.column + e[i][0];
            const int row = p.row - e[i][1];
            const int plane = p.plane + e[i][2];
            if (!inside(column) || !inside(row) || !inside(plane)) {
                if (link.neighbour != nullptr) ++wrong;
                hasNull = true;
                ++nullLinks;
                ++nullPerDirection[i];
                continue;
            }
            ++wiredLinks;
            if (link.neighbour != at(column, row, plane)) ++wrong;
            if (link.neighbour->links[opposite(i)].neighbour != site) ++wrong;
            if (link.length != (i <= 6 ? 0.5f : 0.707106769f) || link.f != 0.0f) ++wrong;
        }
        if (hasNull) ++sitesWithNullLink;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(sitesWithNullLink, 14408);
    EXPECT_EQ(nullLinks, 74400);
    EXPECT_EQ(wiredLinks, 2175600);
    for (DirectionIndex i = 1; i < kDirectionCount; ++i) {
        EXPECT_EQ(nullPerDirection[i], i <= 6 ? 2500 : 4950) << i;
    }
}

TEST_F(Lattice, CornersEdgesAndFacesHaveTheirNullLinks) {
    auto nullLinksOf = [](const Site* site) {
        std::vector<DirectionIndex> result;
        for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
            if (!site->links[i].neighbour) result.push_back(i);
        }
        return result;
    };
    using V = std::vector<DirectionIndex>;
    EXPECT_EQ(nullLinksOf(at(0, 0, 0)), (V{1, 2, 3, 7, 8, 9, 10, 11, 12, 13, 15, 16}));
    EXPECT_EQ(nullLinksOf(at(49, 49, 49)), (V{4, 5, 6, 9, 10, 11, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(nullLinksOf(at(0, 0, 25)), (V{2, 3, 7, 8, 11, 12, 13, 15, 16}));
    EXPECT_EQ(nullLinksOf(at(0, 25, 25)), (V{2, 7, 11, 12, 15}));
    EXPECT_EQ(nullLinksOf(at(25, 25, 25)), V{});
    EXPECT_EQ(at(25, 25, 25)->links[12].neighbour, at(24, 24, 25));
    EXPECT_EQ(at(25, 25, 25)->links[8].neighbour, at(25, 24, 24));
}

}  // namespace
