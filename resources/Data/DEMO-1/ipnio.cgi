#!/bin/sh
# Demo model DEMO-1: placeholder for ipnio.cgi, takes over the output requests so that alarms and pulses share the output.
# Part of the Kor Manager demo data; it does no real work on the simulated camera.
printf 'Content-Type: text/plain\r\n\r\n'
