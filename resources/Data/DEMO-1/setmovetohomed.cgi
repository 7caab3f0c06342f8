#!/bin/sh
# Demo model DEMO-1: placeholder for setmovetohomed.cgi, stores movetohomed.conf.
# Part of the Kor Manager demo data; it does no real work on the simulated camera.
printf 'Content-Type: text/plain\r\n\r\n'
