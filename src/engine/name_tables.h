// The engine's three fixed name tables: symbol shapes, flow object names and
// function object names, each mapping an exact name to its number.
#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

struct NameEntry {
    std::string name;
    int number = -1;  // -1: the name is not in the table
};

// Exact-match index of a name list; each name's number is its position.
class NameIndex {
public:
    explicit NameIndex(std::span<const std::string_view> names);
    NameEntry Lookup(std::string_view name) const;

private:
    std::map<std::string, int, std::less<>> numbers_;
};

class NUVOSymbolTable {
public:
    static const NUVOSymbolTable& Instance();
    NameEntry Lookup(std::string_view name) const;

private:
    NUVOSymbolTable();
    NameIndex index_;
};

class NUVOFlowObjNameTable {
public:
    static const NUVOFlowObjNameTable& Instance();
    NameEntry Lookup(std::string_view name) const;

private:
    NUVOFlowObjNameTable();
    NameIndex index_;
};

class NUVOFuncObjNameTable {
public:
    static const NUVOFuncObjNameTable& Instance();
    NameEntry Lookup(std::string_view name) const;

private:
    NUVOFuncObjNameTable();
    NameIndex index_;
};
