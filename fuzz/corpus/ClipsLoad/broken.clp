(defrule r
