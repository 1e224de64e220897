#!/usr/bin/python3
"""Prints what a screen reader finds in Vandrel's windows, through AT-SPI."""
import pyatspi


def describe(node, depth):
    line = f"{'  ' * depth}[{node.getRoleName()}] {node.name!r}"
    if node.description:
        line += f" description={node.description!r}"
    labelled_by = [
        relation.getTarget(i).name
        for relation in node.getRelationSet()
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
        for i in range(relation.getNTargets())
    ]
    if labelled_by:
        line += f" labelled by {labelled_by}"
    print(line)
    for i in range(node.childCount):
        describe(node.getChildAtIndex(i), depth + 1)


for application in pyatspi.Registry.getDesktop(0):
    if application is not None and application.name == "Vandrel":
        describe(application, 0)
