// Reads a DXF file with dxflib (Debian's libdxflib-dev), keeping every
// lightweight polyline's vertices, and prints the time it took: the speed
// reference for this project's reader. Usage: dxflib_read FILE.dxf

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

struct Vertex {
    double x, y, bulge;
};

// Keeps what a drawing reader keeps of the file's polylines.
class Polylines : public DL_CreationAdapter {
public:
    void addPolyline(const DL_PolylineData& data) override
    {
        polylines.emplace_back();
        polylines.back().reserve(size_t(data.number));
    }
    void addVertex(const DL_VertexData& data) override
    {
        if (!polylines.empty())
            polylines.back().push_back({data.x, data.y, data.bulge});
    }

    std::vector<std::vector<Vertex>> polylines;
};

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.dxf\n", argv[0]);
        return 2;
    }
    Polylines adapter;
    DL_Dxf dxf;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    if (!dxf.in(argv[1], &adapter)) {
        std::fprintf(stderr, "%s cannot be read\n", argv[1]);
        return 1;
    }
    const double cpu = cpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    size_t vertices = 0;
    for (const auto& p : adapter.polylines)
        vertices += p.size();
    std::printf("polylines %zu\nvertices %zu\nread_s %.4f\nread_cpu_s %.4f\n", adapter.polylines.size(), vertices,
                wall, cpu);
    return 0;
}
