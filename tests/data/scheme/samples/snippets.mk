# Builds the snippet tool and its tests with GNU make.
# Usage: make -f snippets.mk [all|test|clean] [V=1]

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c
.DEFAULT_GOAL := all
.DELETE_ON_ERROR:
.SUFFIXES:

CXX ?= g++
CXXFLAGS += -std=c++20 -O2 -Wall -Wextra
LDLIBS = -lstdc++fs
PREFIX ::= /usr/local
BUILD :::= build
VERSION != git describe --tags 2>/dev/null || echo 2.41
EMPTY =
SPACE = $(EMPTY) $(EMPTY)
HASH := \#not a comment

SOURCES := $(wildcard src/*.cpp src/*/*.cpp)
OBJECTS := $(patsubst src/%.cpp,$(BUILD)/%.o,$(SOURCES))
DEPENDS = $(OBJECTS:.o=.d)
TESTS   = $(filter-out %_main.cpp,$(wildcard tests/*.cpp))
NAMES   = $(sort $(basename $(notdir $(SOURCES))))
LONG_LIST = alpha \
            beta \
            gamma

ifeq ($(OS),Windows_NT)
    EXE := .exe
else ifneq (,$(findstring MINGW,$(shell uname -s)))
    EXE := .exe
else
    EXE :=
endif

ifdef V
  Q :=
else
  Q := @
endif

export PATH := $(CURDIR)/tools:$(PATH)
override CPPFLAGS += -Iinclude -DVERSION=\"$(VERSION)\"
vpath %.h include

define COMPILE_RULE
$(BUILD)/$(1).o: src/$(1).cpp | $(BUILD)
	$$(CXX) $$(CXXFLAGS) -c -o $$@ $$<
endef

.PHONY: all test clean install print-%

all: $(BUILD)/tarnwick$(EXE)

$(BUILD):
	mkdir -p $@

$(BUILD)/tarnwick$(EXE): $(OBJECTS) | $(BUILD)
	@echo "Linking $@ from $(words $^) objects"
	$(Q)$(CXX) $(LDFLAGS) -o $@ $^ $(LDLIBS)

$(BUILD)/%.o: src/%.cpp
	@mkdir -p $(@D)
	$(Q)$(CXX) $(CPPFLAGS) $(CXXFLAGS) -MMD -MP -c -o $@ $<  # compile one file

test: $(BUILD)/tarnwick$(EXE) ; ./$< --self-test && echo 'all tests passed'

clean:
	-rm -rf $(BUILD)
	-@echo "cleaned"
	+$(MAKE) -C docs clean

install: all
	install -d $(DESTDIR)$(PREFIX)/bin
	install -m 755 $(BUILD)/tarnwick$(EXE) \
	    $(DESTDIR)$(PREFIX)/bin/
	for n in $(NAMES); do \
	    echo "installed $$n"; \
	done

print-%:
	@echo '$* = $($*)'

$(foreach name,$(NAMES),$(eval $(call COMPILE_RULE,$(name))))
$(info Building version ${VERSION} with $(CXX))
$(if $(filter 1,$(V)),$(warning verbose output is on))

-include $(DEPENDS)
