// Pieces of hand-written flowchart files for the loader tests.
#pragma once

#include <string>

namespace xml {

inline std::string Document(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<qex>\n" + body + "</qex>\n";
}

inline std::string Chart(const std::string& chartId, const std::string& fobjs) {
    return "<chart chartId=\"" + chartId + "\" chartArea=\"80,112\">\n" + fobjs + "</chart>\n";
}

// One symbol; more holds its position, next and branch elements.
inline std::string Fobj(const std::string& id, const std::string& symbol, const std::string& name,
                        const std::string& nuvoobjs, const std::string& more) {
    return "<fobj id=\"" + id + "\" symbol=\"" + symbol + "\"><name>" + name + "</name>" +
           nuvoobjs + more + "</fobj>\n";
}

inline std::string Nuvoobj(const std::string& name, const std::string& argo,
                           const std::string& operands) {
    return "<nuvoobj name=\"" + name + "\" argo=\"" + argo + "\">" + operands + "</nuvoobj>";
}

inline std::string Position(int x, int y) {
    return "<position>" + std::to_string(x) + "," + std::to_string(y) + "</position>";
}

inline std::string Next(const std::string& id, const std::string& waypoints = "") {
    return "<next id=\"" + id + "\">" + waypoints + "</next>";
}

inline std::string Branch(const std::string& id, const std::string& waypoints = "") {
    return "<branch id=\"" + id + "\">" + waypoints + "</branch>";
}

inline std::string Start(const std::string& id, const std::string& more) {
    return Fobj(id, "端子", "start_flow", Nuvoobj("start_f", "6", "0x00,0x00,0x00,0x00,0x00"),
                more);
}

inline std::string End(const std::string& id, const std::string& more) {
    return Fobj(id, "端子", "end_flow", Nuvoobj("end_f", "6", "0x00,0x00,0x00,0x00,0x00"), more);
}

inline std::string Led(const std::string& id, const std::string& more) {
    return Fobj(id, "処理", "led1_rgb", Nuvoobj("led1_rgb", "6", "0x80,0x00,0xF0,0x00,0x00"), more);
}

inline std::string Sensor(const std::string& id, const std::string& more) {
    return Fobj(id, "判断", "sensor_m1", Nuvoobj("sensor_m1", "5", "0x81,0x09,0x0A,0x00"), more);
}

inline std::string Loop(const std::string& id, const std::string& more) {
    return Fobj(id, "ループ端", "loop_begin",
                Nuvoobj("loop_begin", "6", "0x00,0x1A,0x00,0x01,0xFE"), more);
}

inline std::string Parallel(const std::string& id, const std::string& more) {
    return Fobj(id, "並列処理", "parallel",
                Nuvoobj("parallel", "7", "0x00,0x00,0x00,0x00,0x00,0x00"), more);
}

}  // namespace xml
